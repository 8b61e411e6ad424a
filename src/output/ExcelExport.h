// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/SpreadsheetApplication.h"

#include <QString>
#include <functional>

class ListControl;
class StepTrap;
class WindowContext;

// "Save Results As Excel File": hands the results to the spreadsheet program as a new, visible, unsaved
// workbook: the column titles in row 1, list row r in sheet row r + 1 (unchecked rows stay empty), "=" taken
// out of every cell after the first column. A text longer than a cell holds goes in cut to that length; the
// first such cell of an export is reported, and the export goes on. Without a spreadsheet program the user is
// told once what is missing and may save the same workbook as an .xlsx file instead.
class ExcelExport {
public:
    static inline const QString kNotInstalledProbe =
        QStringLiteral("No spreadsheet program was found (LibreOffice Calc). Install the package "
                       "\"libreoffice-calc\" to open the results as a new spreadsheet.");
    static inline const QString kSaveTitle = QStringLiteral("Save Results As Excel Workbook");
    static inline const QString kSaveFilter = QStringLiteral("Excel Workbook (*.xlsx)|*.xlsx|All Files (*.*)|*.*|");

    ExcelExport(WindowContext& window, SpreadsheetProvider& provider);

    // Form1.PushButton13_Click. Ignored while the window is busy. A failure of the spreadsheet program gives
    // one report and ends the export; a failure of the list (cleared meanwhile) ends only the loop it hit.
    // Without a spreadsheet program, a save dialog for an .xlsx file follows the probe's message.
    void PushButton13_Click();

    // True when the spreadsheet program can be created; otherwise shows its message and returns false.
    // Never fails.
    bool SaveResultsAsExcelFileIsExcelInstalled();

private:
    QString askWorkbookPath(StepTrap& trap);
    void exportRows(StepTrap& trap, const QString& savePath);
    void writeTitles(SpreadsheetApplication& sheet, StepTrap& trap);
    void writeRows(SpreadsheetApplication& sheet, StepTrap& trap);
    void cutToCell(QString& value, qsizetype row, int column, StepTrap& trap);
    void sheetCall(const std::function<void()>& call);

    WindowContext& m_window;
    SpreadsheetProvider& m_provider;
    bool m_sheetFailed = false;
    bool m_cutReported = false;
};
