// SPDX-License-Identifier: GPL-3.0-or-later
// Imports a generated 10 MB word file into a word list and compares the time with a plain word count of the
// same file by tr and wc, run in the same process run. Prints both times, their ratio, the peak memory and the
// import's steps, which add up to its total.
//
//     QT_QPA_PLATFORM=offscreen ./BenchImport [megabytes] [accents]
//
// With "accents" one word in six ends in an accented letter (UTF-8, and one in a thousand of those in
// Windows-1252), so that the import decodes sequence by sequence instead of taking its plain-ASCII path.

#include "common/FileSystem.h"
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
#include <vector>

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

// Consecutive steps timed one after another: wall time, processor time and the pages first touched (minor
// page faults: each is a page of fresh memory the kernel clears, or a page of the cached file mapped in).
class Laps {
public:
    Laps() : m_mark(now()) {}

    void lap(const char* name) {
        const Sample sample = now();
        m_steps.push_back({name, sample.wall - m_mark.wall, sample.cpu - m_mark.cpu, sample.faults - m_mark.faults});
        m_mark = sample;
    }
    Timing total() const {
        Timing sum;
        for (const Step& step : m_steps) {
            sum.wall += step.wall;
            sum.cpu += step.cpu;
        }
        return sum;
    }
    void print() const {
        for (const Step& step : m_steps)
            std::printf("  %-18s %.3f s, %.3f s, %6ld pages\n", step.name, step.wall, step.cpu, step.faults);
        const Timing sum = total();
        std::printf("  %-18s %.3f s, %.3f s\n", "sum", sum.wall, sum.cpu);
    }

private:
    struct Sample {
        double wall;
        double cpu;
        long faults;
    };
    struct Step {
        const char* name;
        double wall;
        double cpu;
        long faults;
    };
    static Sample now() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        timespec wall{};
        clock_gettime(CLOCK_MONOTONIC, &wall);
        return {static_cast<double>(wall.tv_sec) + wall.tv_nsec / 1e9, processCpuSeconds(), usage.ru_minflt};
    }

    Sample m_mark;
    std::vector<Step> m_steps;
};

// Lines of words from a small vocabulary, cut by blanks and punctuation, written in blocks. Accented letters
// stand only at the end of a word, where tr cuts the same words as the import.
bool writeWordFile(const QString& path, qint64 bytes, bool accents) {
    static const char* const plain[] = {"baby",  "diamond", "syllable", "demonstration", "a",   "the",
                                        "route", "66",      "ice",      "cream",         "New", "Hampshire",
                                        "don",   "t",       "word",     "list",          "of",  "x"};
    static const char* const accented[] = {"caf\xC3\xA9", "fianc\xC3\xA9", "touch\xC3\xA9", "pass\xC3\xA9"};
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
            const quint32 draw = random.bounded(6000);
            if (accents && draw == 0)
                block += "caf\xE9"; // a stray Windows-1252 byte
            else if (accents && draw < 1000)
                block += accented[draw % std::size(accented)];
            else
                block += plain[draw % std::size(plain)];
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
    const bool accents = argc > 2 && QByteArrayView(argv[2]) == "accents";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words.txt"));
    if (!dir.isValid() || !writeWordFile(path, megabytes * 1000 * 1000, accents)) {
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

    // The import, step by step as LoadTextFileIntoListview takes them, then the list's layout of its new rows.
    // The steps follow one another without a gap, so they add up to the import's total.
    Laps laps;
    const bool exists = FileSystem::FileExists(path);
    laps.lap("checking the file");
    QByteArray bytes = WordFileImport::readWordFile(path);
    laps.lap("reading the file");
    WordBlock block = WordTokenizer::wordBlockOfFile(bytes);
    laps.lap("cutting words");
    words.addRows(std::move(block));
    laps.lap("appending rows");
    bytes = QByteArray();
    block = WordBlock();
    laps.lap("freeing the bytes");
    QApplication::processEvents(); // the list lays out its new rows
    laps.lap("list layout");
    const qsizetype imported = exists ? words.rowCount() : 0;
    const double peak = peakMegabytes();

    // The same import again through the handler's own procedure into an empty list, as a check that the
    // steps above are the import (memory freed by the first run is reused here, so it may be faster).
    words.clear();
    QApplication::processEvents();
    Laps again;
    WordFileImport::LoadTextFileIntoListview(words, path, window);
    QApplication::processEvents();
    again.lap("import again");

    const auto [trSecond, trCount2] = wordCountFloor(path);
    const Timing floor{std::min(trFirst.wall, trSecond.wall), std::min(trFirst.cpu, trSecond.cpu)};
    const Timing import = laps.total();

    std::printf("file:            %lld MB%s, %lld words by tr | wc -l, %lld rows imported\n",
                static_cast<long long>(megabytes), accents ? " with accents" : "", static_cast<long long>(trCount),
                static_cast<long long>(imported));
    std::printf("import:          %.3f s wall, %.3f s processor\n", import.wall, import.cpu);
    std::printf("tr | wc -l:      %.3f s wall, %.3f s processor (best of two runs)\n", floor.wall, floor.cpu);
    std::printf("ratio:           %.2f x wall, %.2f x processor\n", floor.wall > 0 ? import.wall / floor.wall : 0.0,
                floor.cpu > 0 ? import.cpu / floor.cpu : 0.0);
    std::printf("peak memory:     %.1f MB (%.1f MB before the import)\n", peak, before);
    std::printf("split of the import (wall, processor, pages first touched):\n");
    laps.print();
    std::printf("again, through LoadTextFileIntoListview, into memory already touched:\n");
    again.print();
    return trCount == trCount2 ? 0 : 1;
}
