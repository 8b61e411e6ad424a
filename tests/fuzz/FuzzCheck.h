// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QDir>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What a fuzz target holds true of every input: a broken promise stops the run like a crash, so that the
// fuzzer keeps the input that shows it.
inline void fuzzCheck(bool holds, const char* promise) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

inline QByteArrayView fuzzBytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)};
}

// Where a target writes its files: memory (/dev/shm) when there is one, so that a file written for every input
// costs no disk flush.
inline QString fuzzScratchTemplate() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString base = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return base + QStringLiteral("/parvenna-fuzz-XXXXXX");
}
