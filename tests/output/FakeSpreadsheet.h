// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/AppError.h"
#include "output/SpreadsheetApplication.h"

#include <QString>
#include <QStringList>
#include <functional>

// Records every call made on the spreadsheet program as one text ("cell 2 1 baby", "fit 1", "fit all",
// "visible 1"). A call can be made to fail, and a test can act at any call (e.g. clear the list).
struct SpreadsheetLog {
    QStringList calls;
    QString failOn;                             // the call that throws, e.g. "cell 2 1 baby"
    std::function<void(const QString&)> onCall; // runs before each call is recorded
};

class FakeSpreadsheet : public SpreadsheetApplication {
public:
    explicit FakeSpreadsheet(SpreadsheetLog& log) : m_log(log) {}
    void addWorkbook() override { record(QStringLiteral("workbook")); }
    void setCell(int row, int column, const QString& text) override {
        record(QStringLiteral("cell %1 %2 %3").arg(row).arg(column).arg(text));
    }
    void autoFitColumn(int column) override { record(QStringLiteral("fit %1").arg(column)); }
    void autoFitAllColumns() override { record(QStringLiteral("fit all")); }
    void setVisible(bool visible) override { record(QStringLiteral("visible %1").arg(visible ? 1 : 0)); }

private:
    void record(const QString& call) {
        if (m_log.onCall)
            m_log.onCall(call);
        if (call == m_log.failOn)
            throw AppError(1004, QStringLiteral("Application-defined or object-defined error"));
        m_log.calls << call;
    }
    SpreadsheetLog& m_log;
};

class FakeSpreadsheetProvider : public SpreadsheetProvider {
public:
    enum class Mode { Installed, Absent, Throws };
    std::unique_ptr<SpreadsheetApplication> create() override {
        ++created;
        if (mode == Mode::Throws || (failCreateAfter >= 0 && created > failCreateAfter))
            throw AppError(429, QStringLiteral("ActiveX component can't create object"));
        if (mode == Mode::Absent)
            return nullptr;
        return std::make_unique<FakeSpreadsheet>(log);
    }
    bool savesFiles() const override { return filesSaved; }
    std::unique_ptr<SpreadsheetApplication> createForFile(const QString& path) override {
        log.calls << QStringLiteral("file ") + path;
        return std::make_unique<FakeSpreadsheet>(log);
    }
    Mode mode = Mode::Installed;
    bool filesSaved = false;  // whether a workbook can be saved as a file without the program
    int failCreateAfter = -1; // creations that succeed before the next ones throw; -1 for all
    int created = 0;
    SpreadsheetLog log;
};
