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
// first such cell of an export is reported, and the export goes on.
class ExcelExport {
public:
    static inline const QString kNotInstalledProbe = QStringLiteral(
        "Excel is not installed on this computer. You need to have it installed to use this software without error.");
    static inline const QString kNotInstalled =
        QStringLiteral("Excel is not installed on this computer. You need to have it installed to use this feature.");

    ExcelExport(WindowContext& window, SpreadsheetProvider& provider);

    // Form1.PushButton13_Click. Ignored while the window is busy. A failure of the spreadsheet program gives
    // one report and ends the export; a failure of the list (cleared meanwhile) ends only the loop it hit.
    void PushButton13_Click();

    // True when the spreadsheet program can be created; otherwise shows its message and returns false.
    // Never fails.
    bool SaveResultsAsExcelFileIsExcelInstalled();

private:
    void exportRows(StepTrap& trap);
    void writeTitles(SpreadsheetApplication& sheet, StepTrap& trap);
    void writeRows(SpreadsheetApplication& sheet, StepTrap& trap);
    void cutToCell(QString& value, qsizetype row, int column, StepTrap& trap);
    void sheetCall(const std::function<void()>& call);

    WindowContext& m_window;
    SpreadsheetProvider& m_provider;
    bool m_sheetFailed = false;
    bool m_cutReported = false;
};
