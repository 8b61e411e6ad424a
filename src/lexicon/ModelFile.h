// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// What the estimators' model files share: little-endian numbers and a check sum (the FNV-1a hash of every byte
// before it) at the end.
namespace ModelFile {

std::uint64_t checksum(const char* data, qsizetype size);

template <typename T> T readLittle(const char* at) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= T(static_cast<unsigned char>(at[i])) << (8 * i);
    return value;
}

template <typename T> void appendLittle(QByteArray& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// The bytes with their check sum appended.
void appendChecksum(QByteArray& bytes);
// True when the last 8 bytes are the check sum of those before them.
bool checksumMatches(const QByteArray& bytes);

// The file's bytes; false, with "Cannot read the WHAT data PATH: REASON" in *error, when it cannot be read.
bool read(const QString& path, const QString& what, QByteArray* bytes, QString* error);

} // namespace ModelFile
