// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ListviewFileWriter.h"

#include "common/FileSystem.h"
#include "output/PaddedField.h"
#include "output/ProgressDisplay.h"
#include "ui/ListControl.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kLocation = QStringLiteral("Main.SaveListviewProperlySpaced");
// Lines are gathered and handed to the file in chunks of about this many characters.
constexpr qsizetype kChunk = 32768;

} // namespace

ListviewFileWriter::ListviewFileWriter(ListControl& list, const QString& path, ProgressDisplay* progress,
                                       MessageSink& sink, AtomicFile::SystemCalls calls)
    : m_list(list), m_path(path), m_name(FileSystem::FileNameFromPath(path)), m_progress(progress),
      m_trap(sink, kLocation), m_calls(std::move(calls)) {}

void ListviewFileWriter::run() {
    announce(100, 1.0);
    m_trap.step(110, [&] { m_widths.clear(); });
    measureColumns(); // 112-140
    announce(142, 10.0);
    if (createFile()) { // 152-156
        writeHeader();  // 158-170
        announce(172, 20.0);
        writeRows(); // 182-224
        finishWriting();
        if (!m_writeFailed) {
            if (m_progress)
                m_trap.step(226, [&] {
                    m_progress->setValue(100.0);
                    m_progress->setText(QStringLiteral("Done."));
                });
            m_trap.step(232, [&] { onTheFile([&] { m_file->commit(); }); });
        }
    }
    m_trap.step(234, [&] { m_file.reset(); }); // a file not committed goes with it
    if (m_progress)
        m_trap.step(238, [&] {
            m_progress->setValue(0.0);
            m_progress->setText(ProgressBar::kRestText);
        });
}

// Yield, value, text "Writing file: <name>", yield.
void ListviewFileWriter::announce(int firstStep, double value) {
    if (!m_progress)
        return;
    m_trap.step(firstStep + 2, [] { MessageLoop::DoEvents(); });
    m_trap.step(firstStep + 4, [&] { m_progress->setValue(value); });
    m_trap.step(firstStep + 6, [&] { m_progress->setText(writingText()); });
    m_trap.step(firstStep + 8, [] { MessageLoop::DoEvents(); });
}

void ListviewFileWriter::measureColumns() {
    int columns = 0;
    m_trap.step(112, [&] { columns = m_list.columnCount(); });
    for (int c = 1; c <= columns; ++c) {
        qsizetype width = 0;
        m_trap.step(116, [&] { width = std::max(width, m_list.columnTitle(c).size()); });
        m_trap.step(120, [&] { measureRows(c, width); });
        m_trap.step(136, [&] { m_widths.append(width); });
    }
}

// Every row counts, checked or not. A row that vanished meanwhile (the list was cleared during a yield) ends
// the pass with one report.
void ListviewFileWriter::measureRows(int column, qsizetype& width) {
    const qsizetype rows = m_list.rowCount();
    for (qsizetype r = 1; r <= rows; ++r) {
        m_trap.enter(122);
        m_slice.tick();
        m_trap.enter(124);
        width = std::max(width, m_list.cell(r, column).size());
    }
}

bool ListviewFileWriter::createFile() {
    m_trap.step(154, [&] { m_file = std::make_unique<AtomicFile>(m_path, m_calls); });
    return m_trap.step(156, [&] { onTheFile([&] { openFile(); }); });
}

void ListviewFileWriter::onTheFile(const std::function<void()>& action) const {
    try {
        action();
    } catch (const AppError& failure) {
        throw AppError(failure.number(), failure.description() + QStringLiteral(": ") + m_path);
    }
}

void ListviewFileWriter::openFile() {
    if (!m_file)
        throw AppError::invalidProcedureCall();
    // A file marked read-only stays untouched, even for a user who could replace it anyway.
    const QFileInfo target(m_path);
    if (target.isFile() && !(target.permissions() & QFileDevice::WriteOwner))
        throw AppError::permissionDenied();
    if (target.isDir())
        throw AppError(AppError::PathFileAccessError, QStringLiteral("Path/File access error"));
    m_file->open();
}

void ListviewFileWriter::writeHeader() {
    QString line;
    m_trap.step(158, [&] {
        const int columns = m_list.columnCount();
        for (int c = 1; c <= columns; ++c) {
            m_trap.enter(160);
            m_slice.tick();
            m_trap.enter(162);
            PaddedField::append(line, m_list.columnTitle(c), m_widths.value(c - 1));
        }
    });
    m_trap.step(170, [&] {
        m_pendingStep = 170;
        writeLine(line);
    });
}

// Unchecked rows give no line. A row that vanished meanwhile ends the pass with one report; the lines
// written before it stay.
void ListviewFileWriter::writeRows() {
    m_trap.step(182, [&] {
        const qsizetype rows = m_list.rowCount();
        for (qsizetype r = 1; r <= rows && !m_writeFailed; ++r) {
            m_trap.enter(184);
            m_slice.tick();
            m_trap.enter(188);
            if (!m_list.checked(r))
                continue;
            buildRowLine(r);          // 190-208
            showRowProgress(r, rows); // 210-220
            m_trap.enter(222);
            m_pendingStep = 222;
            writeLine(m_line);
        }
    });
}

void ListviewFileWriter::buildRowLine(qsizetype row) {
    m_line.resize(0); // keeps its room for the next line
    const int columns = m_list.columnCount();
    for (int c = 1; c <= columns; ++c) {
        m_trap.enter(192);
        m_slice.tick();
        m_trap.enter(194);
        PaddedField::append(m_line, m_list.cell(row, c), m_widths.value(c - 1));
    }
}

// The value counts every row, checked or not; the row number joins the text at every thousandth row.
void ListviewFileWriter::showRowProgress(qsizetype row, qsizetype rows) {
    if (!m_progress)
        return;
    m_trap.enter(210);
    m_slice.tick();
    m_trap.enter(212);
    m_progress->setValue((static_cast<double>(rows / 2000) + static_cast<double>(row)) / static_cast<double>(rows) *
                         100.0);
    if (row % 1000 == 0) {
        m_trap.enter(216);
        m_progress->setText(writingText() + QStringLiteral(" (") + QString::number(row) + QLatin1Char(')'));
    }
    m_trap.enter(218);
    m_slice.tick();
}

void ListviewFileWriter::writeLine(const QString& line) {
    m_pending += line;
    m_pending += QStringLiteral("\r\n");
    if (m_pending.size() >= kChunk)
        flush();
}

// After a failed write nothing more is written: the export ends with that one report.
void ListviewFileWriter::flush() {
    const QByteArray bytes = m_pending.toUtf8();
    m_pending.resize(0);
    try {
        m_file->write(bytes);
    } catch (...) {
        m_writeFailed = true;
        throw;
    }
}

// The lines still gathered go to the file and all of it onto the disk before "Done." is shown. A failure
// counts as the failure of the last line written.
void ListviewFileWriter::finishWriting() {
    if (m_writeFailed || m_pendingStep == 0)
        return;
    m_trap.step(m_pendingStep, [&] {
        flush();
        try {
            m_file->sync();
        } catch (...) {
            m_writeFailed = true;
            throw;
        }
    });
}

QString ListviewFileWriter::writingText() const {
    return QStringLiteral("Writing file: ") + m_name;
}
