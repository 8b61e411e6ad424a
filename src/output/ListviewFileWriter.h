// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/AppError.h"
#include "common/AtomicFile.h"
#include "common/MessageLoop.h"
#include "common/StepTrap.h"
#include "output/CellYield.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class ListControl;
class MessageSink;
class ProgressDisplay;

// Writes a list as a column-aligned text file: a header line of the column titles, then one line per checked
// row; every field is padded with spaces to its column's width and followed by a tab; every line ends in
// CR LF; UTF-8 without a byte-order mark. A column is as wide as its title and its longest cell in any row,
// checked or not. Failures are reported at "Main.SaveListviewProperlySpaced" with the failing step.
//
// The new file takes the target's place only once all of it is on the disk: a failed write or sync (a full
// disk) is one report at the step of the line it carried, "Done." is not shown, and an old file stays exactly
// as it was.
class ListviewFileWriter {
public:
    ListviewFileWriter(ListControl& list, const QString& path, ProgressDisplay* progress, MessageSink& sink,
                       AtomicFile::SystemCalls calls = AtomicFile::SystemCalls::real());
    void run();

private:
    void announce(int firstStep, double value);
    void measureColumns();
    void measureRows(int column, qsizetype& width);
    bool createFile();
    void openFile();
    void writeHeader();
    void writeRows();
    void buildRowLine(qsizetype row);
    void showRowProgress(qsizetype row, qsizetype rows);
    void writeLine(const QString& line);
    void flush();
    void finishWriting();
    QString writingText() const;
    // Runs an action on the file itself (making it, putting it in place); its failure names the path.
    void onTheFile(const std::function<void()>& action) const;

    ListControl& m_list;
    QString m_path;
    QString m_name;
    ProgressDisplay* m_progress;
    StepTrap m_trap;
    CellYield m_slice;
    QList<qsizetype> m_widths;
    AtomicFile::SystemCalls m_calls;
    std::unique_ptr<AtomicFile> m_file;
    QString m_line;        // the row line being built
    QString m_pending;     // lines not yet handed to the file
    int m_pendingStep = 0; // the step of the last line in m_pending: a failure to write it is reported there
    bool m_writeFailed = false;
};
