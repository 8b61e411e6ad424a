// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/ModelFile.h"

#include <QFile>

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

bool read(const QString& path, const QString& what, QByteArray* bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read the %1 data %2: %3").arg(what, path, file.errorString());
        return false;
    }
    *bytes = file.readAll();
    return true;
}

} // namespace ModelFile
