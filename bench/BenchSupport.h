// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakePlatform.h"
#include "lexicon/SyllableTrainingSet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <ctime>

// A memory figure of this process from /proc/self/status, in MB ("VmRSS:", "VmHWM:").
inline long statusMb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong() / 1024;
    return -1;
}

// The high-water mark of this process's resident memory (VmHWM; unlike getrusage it starts anew at exec).
inline long peakMemoryMb() {
    return statusMb("VmHWM:");
}

// Points the benchmark at private settings and a private temporary folder, keeps every address on loopback
// (the ping) or off (the home page), and draws windows offscreen. Call before the application object exists.
inline void useQuietEnvironment(const QString& folder) {
    qputenv("XDG_CONFIG_HOME", (folder + QStringLiteral("/config")).toUtf8());
    qputenv("TEMP", folder.toUtf8());
    qputenv("PARVENNA_PING_HOST", "127.0.0.1");
    qputenv("PARVENNA_HOME_PAGE", "");
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Processor time of this thread: on a machine shared with other work the wall clock counts their turns too.
inline double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

inline double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values[values.size() / 2];
}

// A model file: its size and load time (median of 21 loads), then how many of the words apply(estimator, word)
// takes a second, by this thread's processor time and by the wall clock (best of 5 passes); apply returns the
// text it made. Prints; false when the file does not load.
template <typename Estimator, typename Apply>
bool measureModelFile(const QString& path, const QStringList& words, const char* what, Apply apply) {
    QList<double> loads;
    Estimator estimator;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!estimator.load(path)) {
            std::printf("cannot load %s\n", qPrintable(path));
            return false;
        }
        loads << double(timer.nsecsElapsed()) / 1e6;
    }
    std::printf("data file %s: %lld bytes, load %.2f ms (median of 21)\n", qPrintable(path),
                static_cast<long long>(QFileInfo(path).size()), median(loads));
    double bestWall = 0;
    double bestProcessor = 0;
    qsizetype characters = 0;
    for (int pass = 0; pass < 5; ++pass) {
        QElapsedTimer timer;
        timer.start();
        const double started = threadSeconds();
        for (const QString& word : words)
            characters += apply(estimator, word).size();
        bestProcessor = std::max(bestProcessor, double(words.size()) / (threadSeconds() - started));
        bestWall = std::max(bestWall, double(words.size()) / (double(timer.nsecsElapsed()) / 1e9));
    }
    std::printf("%s: %.0f words a second of processor time, %.0f by the wall clock (%lld words of the "
                "dictionary, best of 5 passes; %lld characters out)\n",
                what, bestProcessor, bestWall, static_cast<long long>(words.size()),
                static_cast<long long>(characters));
    return true;
}

// The dictionary data named as the first argument, else the default, read as the estimators' training set; false,
// with the reason printed, when it cannot be read.
inline bool readTrainingSet(int argc, char** argv, const QString& fallback, QString* dictionary,
                            SyllableTrainingSet* set) {
    *dictionary = argc > 1 ? QString::fromLocal8Bit(argv[1]) : fallback;
    QString error;
    if (set->read(*dictionary, &error))
        return true;
    std::printf("%s\n", qPrintable(error));
    return false;
}
