// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/OfficeSuite.h"
#include "output/SpreadsheetApplication.h"

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <utility>

class Shell;

// The spreadsheet program as this desktop offers it: the cells of a new workbook are collected, written with
// libxlsxwriter into a private temporary .xlsx when the workbook is made visible, and that file is handed to
// the office suite, which shows it as a new untitled document. A text that is a plain decimal number goes in
// as a number, every other text as a string (never as a formula). Column fitting sets each column's width
// from its longest text. Made with a file path instead of an office suite, the workbook is saved there when it
// is made visible (replacing a file of that name whole, or leaving it as it was on failure).
class XlsxSpreadsheet : public SpreadsheetApplication {
public:
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxColumns = 16384;
    static constexpr qsizetype kMaxTextLength = kMaxCellLength;
    static constexpr double kDefaultWidth = 8.43;
    static constexpr double kMaxWidth = 255.0;

    explicit XlsxSpreadsheet(OfficeSuite& suite);
    explicit XlsxSpreadsheet(const QString& savePath);

    void addWorkbook() override;
    void setCell(int row, int column, const QString& text) override;
    void autoFitColumn(int column) override;
    void autoFitAllColumns() override;
    void setVisible(bool visible) override;

    // "12", "-3", "0.25": no sign but a leading minus, no leading zeros, no trailing zeros after the point,
    // at most 11 characters, so the number shows exactly as the text did.
    static bool isPlainDecimal(const QString& text);
    // The column width (in characters of the sheet's default font) that fits text on one line.
    static double fittedWidth(const QString& text);

private:
    struct Workbook {
        std::map<std::pair<int, int>, QString> cells; // (row, column) -> text
        std::map<int, double> widths;                 // column -> fitted width
        bool shown = false;
    };

    Workbook& workbook();
    void fit(int column, const std::map<int, double>& longest);
    std::map<int, double> longestPerColumn(std::optional<int> onlyColumn) const;
    static void writeFile(const QString& path, const Workbook& workbook);
    void saveAs(const QString& workbookFile) const;

    OfficeSuite* m_suite = nullptr;
    QString m_savePath;
    std::optional<Workbook> m_workbook;
};

// Creates the spreadsheet program when the office suite is installed, nothing otherwise; saves workbooks as
// files either way.
class XlsxSpreadsheetProvider : public SpreadsheetProvider {
public:
    // The desktop's own office suite, shown through shell.
    explicit XlsxSpreadsheetProvider(Shell& shell);
    // Any other office suite (tests pass one that records what it was handed).
    explicit XlsxSpreadsheetProvider(OfficeSuite& suite);

    std::unique_ptr<SpreadsheetApplication> create() override;
    bool savesFiles() const override { return true; }
    std::unique_ptr<SpreadsheetApplication> createForFile(const QString& path) override;

private:
    std::unique_ptr<OfficeSuite> m_ownSuite;
    OfficeSuite& m_suite;
};
