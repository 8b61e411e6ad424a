// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakePlatform.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
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
