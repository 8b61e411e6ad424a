// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/ModelFile.h"

#include <QFile>

#include <cstring>

namespace ModelFile {

namespace {
constexpr qsizetype kChecksumSize = 8;
}

std::uint64_t checksum(const char* data, qsizetype size) {
    std::uint64_t h = 1469598103934665603ull;
    for (qsizetype i = 0; i < size; ++i)
        h = (h ^ static_cast<unsigned char>(data[i])) * 1099511628211ull;
    return h;
}

void appendChecksum(QByteArray& bytes) {
    appendLittle<std::uint64_t>(bytes, checksum(bytes.constData(), bytes.size()));
}

bool checksumMatches(const QByteArray& bytes) {
    const qsizetype at = bytes.size() - kChecksumSize;
    return at >= 0 && readLittle<std::uint64_t>(bytes.constData() + at) == checksum(bytes.constData(), at);
}

bool load(const QString& path, const QString& what, const Parse& parse, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read the %1 data %2: %3").arg(what, path, file.errorString());
        return false;
    }
    QString problem;
    if (!parse(file.readAll(), &problem)) {
        if (error)
            *error = QStringLiteral("The %1 data %2 is not usable: %3").arg(what, path, problem);
        return false;
    }
    return true;
}

bool startsRight(const QByteArray& bytes, const char* magic, qsizetype headerSize, std::uint16_t version,
                 const QString& what, QString* problem) {
    if (bytes.size() < headerSize + kChecksumSize || std::memcmp(bytes.constData(), magic, 8) != 0) {
        *problem = QStringLiteral("it is not a %1 file").arg(what);
        return false;
    }
    const auto found = readLittle<std::uint16_t>(bytes.constData() + 8);
    if (found != version) {
        *problem = QStringLiteral("format version %1, this program reads version %2").arg(found).arg(version);
        return false;
    }
    return true;
}

} // namespace ModelFile
