// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

// The spreadsheet program that shows an exported workbook: a new workbook, cells, column fitting, and the
// visible, unsaved result. Row and column numbers count from 1. Failures throw AppError.
class SpreadsheetApplication {
public:
    // The most characters (UTF-16 code units) a cell holds; a longer text is refused.
    static constexpr qsizetype kMaxCellLength = 32767;

    virtual ~SpreadsheetApplication() = default;
    virtual void addWorkbook() = 0;
    virtual void setCell(int row, int column, const QString& text) = 0;
    virtual void autoFitColumn(int column) = 0;
    virtual void autoFitAllColumns() = 0;
    virtual void setVisible(bool visible) = 0;
};

// Creates the application, as "Excel.Application" did. Returns nullptr (or throws) when none is installed.
class SpreadsheetProvider {
public:
    virtual ~SpreadsheetProvider() = default;
    virtual std::unique_ptr<SpreadsheetApplication> create() = 0;
    // Without a spreadsheet program: whether a workbook can be saved as a file instead.
    virtual bool savesFiles() const { return false; }
    // A workbook that, when made visible, is saved as the file at path (replacing it whole) instead of being
    // shown. Nullptr (or a throw) when this provider cannot save files.
    virtual std::unique_ptr<SpreadsheetApplication> createForFile(const QString& path) {
        Q_UNUSED(path);
        return nullptr;
    }
};
