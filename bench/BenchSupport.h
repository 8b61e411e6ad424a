// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakePlatform.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

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

inline double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values[values.size() / 2];
}
