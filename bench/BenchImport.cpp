// SPDX-License-Identifier: GPL-3.0-or-later
// Imports a generated 10 MB word file into a word list and compares the time with a plain word count of the
// same file by tr and wc, run in the same process run. Prints both times, their ratio and the peak memory.
//
//     QT_QPA_PLATFORM=offscreen ./BenchImport [megabytes]

#include "lists/WordFileImport.h"
#include "lists/WordTokenizer.h"
#include "ui/ListControl.h"
#include "ui/PlatformTools.h"
#include "ui/WindowContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

class BenchPointer : public PointerHost {
public:
    MousePointer pointer() const override { return m_pointer; }
    void setPointer(MousePointer pointer) override { m_pointer = pointer; }

private:
    MousePointer m_pointer = MousePointer::Default;
};

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double wall = 0.0;
    double cpu = 0.0;
};

// Lines of words from a small vocabulary, cut by blanks and punctuation, written in blocks.
bool writeWordFile(const QString& path, qint64 bytes) {
    static const char* const vocabulary[] = {"baby",  "diamond", "syllable", "demonstration", "a",   "the",
                                             "route", "66",      "ice",      "cream",         "New", "Hampshire",
                                             "don",   "t",       "word",     "list",          "of",  "x"};
    static const char* const separators[] = {" ", " ", " ", ", ", ". ", "-", "'", "\t", "\r\n"};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QRandomGenerator random(1);
    QByteArray block;
    qint64 written = 0;
    while (written < bytes) {
        block.clear();
        while (block.size() < (1 << 20)) {
            block += vocabulary[random.bounded(int(std::size(vocabulary)))];
            block += separators[random.bounded(int(std::size(separators)))];
        }
        written += file.write(block.left(std::min<qint64>(block.size(), bytes - written)));
    }
    return true;
}

// Time taken by tr and wc over the file (the processor time of the shell, tr and wc), and the count printed.
std::pair<Timing, qint64> wordCountFloor(const QString& path) {
    QProcess process;
    QElapsedTimer timer;
    const double cpuBefore = childrenCpuSeconds();
    timer.start();
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("tr -cs 'A-Za-z0-9' '\\n' < \"$0\" | wc -l"), path});
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished(5000);
        return {{-1.0, -1.0}, -1};
    }
    const Timing timing{timer.nsecsElapsed() / 1e9, childrenCpuSeconds() - cpuBefore};
    return {timing, process.readAllStandardOutput().trimmed().toLongLong()};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words.txt"));
    if (!dir.isValid() || !writeWordFile(path, megabytes * 1000 * 1000)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }

    ListControl words;
    ListControl results;
    words.addColumn(QStringLiteral(" Words"));
    words.resize(520, 170);
    words.show();
    QCheckBox showWord;
    QCheckBox notFound;
    ProgressBar progress;
    BenchPointer pointer;
    DesktopPlatformTools tools;
    WindowContext window(words, results, showWord, notFound, progress, pointer, tools);
    QApplication::processEvents();

    const auto [trFirst, trCount] = wordCountFloor(path); // also brings the file into the cache
    const double before = peakMegabytes();

    QElapsedTimer timer;
    const double cpuStart = processCpuSeconds();
    timer.start();
    WordFileImport::LoadTextFileIntoListview(words, path, window);
    QApplication::processEvents(); // the list lays out its new rows
    const Timing import{timer.nsecsElapsed() / 1e9, processCpuSeconds() - cpuStart};
    const qsizetype imported = words.rowCount();
    const double peak = peakMegabytes();

    const auto [trSecond, trCount2] = wordCountFloor(path);
    const Timing floor{std::min(trFirst.wall, trSecond.wall), std::min(trFirst.cpu, trSecond.cpu)};

    // Where the time goes: cutting the words, appending the rows, laying out the view.
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    words.clear();
    QApplication::processEvents();
    double mark = processCpuSeconds();
    const auto lap = [&mark] {
        const double now = processCpuSeconds();
        const double spent = now - mark;
        mark = now;
        return spent;
    };
    lap();
    WordBlock cut = WordTokenizer::wordBlockOfFile(bytes);
    const double cutting = lap();
    words.addRows(std::move(cut));
    const double appending = lap();
    QApplication::processEvents();
    const double layout = lap();

    std::printf("file:            %lld MB, %lld words by tr | wc -l, %lld rows imported\n",
                static_cast<long long>(megabytes), static_cast<long long>(trCount), static_cast<long long>(imported));
    std::printf("import:          %.3f s wall, %.3f s processor\n", import.wall, import.cpu);
    std::printf("tr | wc -l:      %.3f s wall, %.3f s processor (best of two runs)\n", floor.wall, floor.cpu);
    std::printf("ratio:           %.2f x wall, %.2f x processor\n", floor.wall > 0 ? import.wall / floor.wall : 0.0,
                floor.cpu > 0 ? import.cpu / floor.cpu : 0.0);
    std::printf("peak memory:     %.1f MB (%.1f MB before the import)\n", peak, before);
    std::printf("processor split: cutting words %.3f s, appending rows %.3f s, list layout %.3f s\n", cutting,
                appending, layout);
    return trCount == trCount2 ? 0 : 1;
}
