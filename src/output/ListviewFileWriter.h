#pragma once

#include "common/AppError.h"
#include "common/MessageLoop.h"
#include "common/StepTrap.h"
#include "output/CellYield.h"

#include <QList>
#include <QSaveFile>
#include <QString>
#include <memory>

class ListControl;
class MessageSink;
class ProgressDisplay;

// Writes a list as a column-aligned text file: a header line of the column titles, then one line per checked
// row; every field is padded with spaces to its column's width and followed by a tab; every line ends in
// CR LF; UTF-8 without a byte-order mark. A column is as wide as its title and its longest cell in any row,
// checked or not. The new file takes the target's place only once it is complete, so a failed export leaves
// an old file as it was. Failures are reported at "Main.SaveListviewProperlySpaced" with the failing step.
class ListviewFileWriter {
public:
    ListviewFileWriter(ListControl& list, const QString& path, ProgressDisplay* progress, MessageSink& sink);
    void run();

private:
    void announce(int firstStep, double value);
    void measureColumns();
    void measureRows(int column, qsizetype& width);
    bool createFile();
    void openFile();
    AppError openError() const;
    void writeHeader();
    void writeRows();
    void buildRowLine(qsizetype row);
    void showRowProgress(qsizetype row, qsizetype rows);
    void writeLine(const QString& line);
    void flush();
    void commit();
    QString writingText() const;

    ListControl& m_list;
    QString m_path;
    QString m_name;
    ProgressDisplay* m_progress;
    StepTrap m_trap;
    CellYield m_slice;
    QList<qsizetype> m_widths;
    std::unique_ptr<QSaveFile> m_file;
    QString m_line;    // the row line being built
    QString m_pending; // lines not yet handed to the file
    bool m_writeFailed = false;
};
