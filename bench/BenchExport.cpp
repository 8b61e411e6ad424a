// SPDX-License-Identifier: GPL-3.0-or-later
// Text file export and clipboard copy of a 100,000-row, 2-column results list, next to writing the same bytes
// with a plain std::ofstream loop in the same run. Also prices one yield to the message loop, to show why the
// exports yield on a short time slice rather than before every cell.
//
//     QT_QPA_PLATFORM=offscreen ./BenchExport [rows]

#include "common/MessageLoop.h"
#include "common/MessageSink.h"
#include "output/ClipboardCopy.h"
#include "output/ProgressDisplay.h"
#include "output/TextExport.h"
#include "ui/ListControl.h"
#include "ui/ProgressBar.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRepeats = 3;

class SilentSink : public MessageSink {
public:
    void messageBox(const QString& text, const QString&, MessageIcon) override {
        std::fprintf(stderr, "unexpected box: %s\n", qPrintable(text));
        ++boxes;
    }
    int boxes = 0;
};

// Best of a few runs, in milliseconds.
double bestMs(const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < kRepeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

struct Cells {
    std::vector<std::string> utf8; // column 1, then column 2, row by row
    std::vector<size_t> lengths;   // UTF-16 length of each cell
    std::vector<bool> checked;
};

// The results list: split words with middle dots and their counts; every tenth row is a "Not Found" row.
Cells fillList(ListControl& list, int rows) {
    Cells cells;
    QStringList texts;
    QStringList counts;
    for (int r = 1; r <= rows; ++r) {
        const bool found = r % 10 != 0;
        texts << (found ? QStringLiteral("syl\u00b7la\u00b7ble%1").arg(r) : QStringLiteral("unknownword%1").arg(r));
        counts << (found ? QString::number(3 + r % 4) : QStringLiteral("Not Found"));
    }
    list.addRows(texts);
    for (int r = 1; r <= rows; ++r) {
        list.setSubItem(r, 1, counts[r - 1]);
        list.setChecked(r, r % 10 != 0);
        for (const QString* text : {&texts[r - 1], &counts[r - 1]}) {
            cells.utf8.push_back(text->toStdString());
            cells.lengths.push_back(static_cast<size_t>(text->size()));
        }
        cells.checked.push_back(r % 10 != 0);
    }
    return cells;
}

// The plain loop: widths from all rows (and the titles for the file), then the lines, with std::ofstream.
void plainWrite(const std::string& path, const Cells& cells, bool file) {
    const std::vector<std::string> titles{"Results", "Syllables Count"};
    size_t widths[2] = {file ? titles[0].size() : 0, file ? titles[1].size() : 0};
    for (size_t i = 0; i < cells.utf8.size(); ++i)
        widths[i % 2] = std::max(widths[i % 2], cells.lengths[i]);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (file)
        out << titles[0] << std::string(widths[0] - titles[0].size(), ' ') << '\t' << titles[1]
            << std::string(widths[1] - titles[1].size(), ' ') << "\t\r\n";
    for (size_t r = 0; r < cells.checked.size(); ++r) {
        if (!cells.checked[r])
            continue;
        const size_t a = 2 * r;
        const size_t b = 2 * r + 1;
        out << cells.utf8[a] << std::string(widths[0] - cells.lengths[a], ' ') << '\t' << cells.utf8[b];
        if (file)
            out << std::string(widths[1] - cells.lengths[b], ' ') << "\t\r\n";
        else
            out << "\r\n";
    }
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    QTemporaryDir dir;

    ListControl list;
    list.addColumn(QStringLiteral("Results"));
    list.addColumn(QStringLiteral("Syllables Count"));
    const Cells cells = fillList(list, rows);
    ProgressBar bar;
    ProgressBarDisplay progress(bar);
    SilentSink sink;

    const QString exportPath = dir.filePath(QStringLiteral("export.txt"));
    const std::string plainPath = dir.filePath(QStringLiteral("plain.txt")).toStdString();
    const std::string plainClipPath = dir.filePath(QStringLiteral("plain-clip.txt")).toStdString();

    const double plainFile = bestMs([&] { plainWrite(plainPath, cells, true); });
    const double exportNoBar = bestMs([&] { TextExport::SaveListviewProperlySpaced(list, exportPath, nullptr, sink); });
    const double exportBar = bestMs([&] { TextExport::SaveListviewProperlySpaced(list, exportPath, &progress, sink); });
    const bool fileSame = readAll(exportPath) == readAll(QString::fromStdString(plainPath));

    const double plainClip = bestMs([&] { plainWrite(plainClipPath, cells, false); });
    const double copy = bestMs([&] { ClipboardCopy::CopyListviewProperlySpaced(list); });
    const bool clipSame =
        QGuiApplication::clipboard()->text().toUtf8() == readAll(QString::fromStdString(plainClipPath));

    // What a yield before every cell, row and progress step would cost: 2 cells per row in the width pass,
    // then per row a yield, 2 cells and 2 around the progress update.
    const int yieldCalls = 100000;
    const double yieldMs = bestMs([&] {
        for (int i = 0; i < yieldCalls; ++i)
            MessageLoop::DoEvents();
    });
    const double perYieldUs = yieldMs * 1000.0 / yieldCalls;
    const double perCellYieldsMs = perYieldUs * (2.0 * rows + 5.0 * rows) / 1000.0;

    std::printf("rows: %d (2 columns, every tenth row unchecked), best of %d runs\n", rows, kRepeats);
    std::printf("text file, std::ofstream loop:        %9.1f ms\n", plainFile);
    std::printf("text file export, no progress:        %9.1f ms  ratio %.2f  same bytes: %s\n", exportNoBar,
                exportNoBar / plainFile, fileSame ? "yes" : "NO");
    std::printf("text file export, with progress bar:  %9.1f ms  ratio %.2f\n", exportBar, exportBar / plainFile);
    std::printf("clipboard text, std::ofstream loop:   %9.1f ms\n", plainClip);
    std::printf("clipboard copy:                       %9.1f ms  ratio %.2f  same bytes: %s\n", copy, copy / plainClip,
                clipSame ? "yes" : "NO");
    std::printf("one yield to the message loop:        %9.2f us; a yield per cell would add %.0f ms to the export\n",
                perYieldUs, perCellYieldsMs);
    std::printf("error boxes: %d\n", sink.boxes);
    return 0;
}
