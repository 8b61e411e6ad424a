// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

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

// Reads the file and gives its bytes to parse, which says in *problem what is wrong with them. False, with "Cannot
// read the WHAT data PATH: REASON" or "The WHAT data PATH is not usable: PROBLEM" in *error, when either fails.
using Parse = std::function<bool(const QByteArray& bytes, QString* problem)>;
bool load(const QString& path, const QString& what, const Parse& parse, QString* error);

// The start every model file has: 8 bytes of magic, then the format version (u16), in a file long enough for its
// header and check sum. False, with the problem ("it is not a WHAT file", "format version N, ..."), otherwise.
bool startsRight(const QByteArray& bytes, const char* magic, qsizetype headerSize, std::uint16_t version,
                 const QString& what, QString* problem);

} // namespace ModelFile
