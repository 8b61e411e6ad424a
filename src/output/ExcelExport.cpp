// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ExcelExport.h"

#include "common/AppError.h"
#include "common/MessageLoop.h"
#include "common/StepTrap.h"
#include "output/CellYield.h"
#include "output/SaveTarget.h"
#include "ui/ListControl.h"
#include "ui/WindowContext.h"

#include <QFileInfo>

ExcelExport::ExcelExport(WindowContext& window, SpreadsheetProvider& provider)
    : m_window(window), m_provider(provider) {}

bool ExcelExport::SaveResultsAsExcelFileIsExcelInstalled() {
    bool created = false;
    try {
        created = m_provider.create() != nullptr; // released again at once
    } catch (...) {
        created = false;
    }
    if (!created)
        m_window.message(kNotInstalledProbe);
    return created;
}

void ExcelExport::PushButton13_Click() {
    if (m_window.busy())
        return;
    StepTrap trap{m_window.dialogs(), QStringLiteral("Form1.PushButton13_Click")};
    // The probe has told the user what is missing: no second message.
    const bool installed = trap.test(100, [&] { return SaveResultsAsExcelFileIsExcelInstalled(); });
    if (!installed && !m_provider.savesFiles())
        return;
    if (trap.test(108, [&] { return m_window.resultsList().rowCount() == 0; }))
        return;
    QString savePath; // without a spreadsheet program: the workbook file the user chose instead
    if (!installed) {
        savePath = askWorkbookPath(trap);
        if (savePath.isEmpty())
            return;
    }
    trap.step(110, [&] { m_window.setPointer(MousePointer::Hourglass); });
    exportRows(trap, savePath); // 112-168
    trap.step(170, [&] { m_window.setPointer(MousePointer::Default); });
}

// (172-178) The save dialog for the workbook file; ".xlsx" is added to a name without an extension. Empty when
// the user cancels or does not want an existing file replaced.
QString ExcelExport::askWorkbookPath(StepTrap& trap) {
    CommonDialog& dialog = m_window.commonDialog();
    QString path;
    trap.step(172, [&] {
        dialog.flags = CommonDialog::kFlags;
        dialog.title = kSaveTitle;
        dialog.filter = kSaveFilter;
    });
    trap.step(174, [&] { SaveTarget::showSave(m_window, dialog); });
    trap.step(176, [&] {
        path = dialog.fileName;
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".xlsx");
    });
    if (trap.test(178, [&] { return path.isEmpty() || !SaveTarget::mayWrite(m_window, path); }))
        return QString();
    return path;
}

// Any failure of the spreadsheet program ends the export after its one report.
void ExcelExport::exportRows(StepTrap& trap, const QString& savePath) {
    m_sheetFailed = false;
    m_cutReported = false;
    std::unique_ptr<SpreadsheetApplication> sheet;
    trap.step(112, [&] {
        sheetCall([&] {
            sheet = savePath.isEmpty() ? m_provider.create() : m_provider.createForFile(savePath);
            if (!sheet)
                throw AppError(429, QStringLiteral("ActiveX component can't create object"));
        });
    });
    if (m_sheetFailed)
        return;
    trap.step(114, [&] { sheetCall([&] { sheet->addWorkbook(); }); });
    if (!m_sheetFailed)
        writeTitles(*sheet, trap); // 116-134
    if (!m_sheetFailed)
        writeRows(*sheet, trap); // 136-164
    if (!m_sheetFailed)
        trap.step(166, [&] { sheetCall([&] { sheet->autoFitAllColumns(); }); });
    if (!m_sheetFailed)
        trap.step(168, [&] { sheetCall([&] { sheet->setVisible(true); }); });
}

void ExcelExport::writeTitles(SpreadsheetApplication& sheet, StepTrap& trap) {
    ListControl& list = m_window.resultsList();
    int sheetColumn = 0;
    trap.step(116, [&] { sheetColumn = 1; });
    const int columns = list.columnCount();
    for (int c = 1; c <= columns && !m_sheetFailed; ++c) {
        trap.step(120, [] { MessageLoop::DoEvents(); });
        trap.step(c == 1 ? 124 : 128, [&] {
            const QString title = list.columnTitle(c);
            sheetCall([&] { sheet.setCell(1, sheetColumn, title); });
        });
        trap.step(c == 1 ? 126 : 130, [&] { ++sheetColumn; });
        if (!m_sheetFailed)
            trap.step(132, [&] { sheetCall([&] { sheet.autoFitColumn(c); }); });
    }
}

// List row r goes to sheet row r + 1 whether or not it is written. A row that vanished meanwhile (the list
// was cleared during a yield) ends the loop with one report; what was written stays and is shown.
void ExcelExport::writeRows(SpreadsheetApplication& sheet, StepTrap& trap) {
    ListControl& list = m_window.resultsList();
    int sheetRow = 0;
    trap.step(136, [&] { sheetRow = 2; });
    trap.step(138, [&] {
        CellYield slice;
        const qsizetype rows = list.rowCount();
        const int columns = list.columnCount();
        for (qsizetype r = 1; r <= rows && !m_sheetFailed; ++r) {
            trap.enter(140);
            slice.tick();
            trap.enter(142);
            if (list.checked(r)) {
                int sheetColumn = 1; // 144
                for (int c = 1; c <= columns; ++c) {
                    trap.enter(148);
                    slice.tick();
                    trap.enter(c == 1 ? 152 : 156);
                    QString value = list.cell(r, c);
                    if (c > 1)
                        value.remove(QLatin1Char('='));
                    if (value.size() > SpreadsheetApplication::kMaxCellLength)
                        cutToCell(value, r, c, trap);
                    sheetCall([&] { sheet.setCell(sheetRow, sheetColumn, value); });
                    ++sheetColumn; // 154, 158
                }
            }
            ++sheetRow; // 162
        }
    });
}

// Cut at the limit, never between the two halves of a character outside the Basic Multilingual Plane.
void ExcelExport::cutToCell(QString& value, qsizetype row, int column, StepTrap& trap) {
    const qsizetype length = value.size();
    qsizetype cut = SpreadsheetApplication::kMaxCellLength;
    if (value.at(cut - 1).isHighSurrogate())
        --cut;
    value.truncate(cut);
    if (m_cutReported)
        return;
    m_cutReported = true;
    trap.report(QStringLiteral("A cell of %1 characters was cut to %2, the most a spreadsheet cell holds "
                               "(list row %3, column %4)")
                    .arg(length)
                    .arg(SpreadsheetApplication::kMaxCellLength)
                    .arg(row)
                    .arg(column));
}

void ExcelExport::sheetCall(const std::function<void()>& call) {
    try {
        call();
    } catch (...) {
        m_sheetFailed = true;
        throw;
    }
}
