// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DataManifest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace DataManifest {
namespace {

struct Listed {
    bool found = false;
    QByteArray digest; // lower-case hex
    qint64 size = -1;
};

// The manifest's entry for the name; found stays false when the manifest has none (or cannot be read: *readable).
Listed entryFor(const QString& manifestPath, const QString& name, bool* readable) {
    QFile manifest(manifestPath);
    *readable = manifest.open(QIODevice::ReadOnly);
    Listed listed;
    if (!*readable)
        return listed;
    const QByteArray wanted = QFile::encodeName(name);
    for (const QByteArray& line : manifest.readAll().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() != 3 || line.startsWith('#') || fields[2] != wanted)
            continue;
        bool number = false;
        listed = {true, fields[0].toLower(), fields[1].toLongLong(&number)};
        if (!number)
            listed.size = -1;
    }
    return listed;
}

QString byteCount(qint64 count) {
    return QLocale::c().toString(count) + (count == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes"));
}

// BLAKE2b: as strong as SHA-256 here and several times faster, so that checking the data does not slow its reading.
QByteArray digestOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex();
}

} // namespace

QByteArray lineFor(const QString& name, const QByteArray& bytes) {
    return digestOf(bytes) + ' ' + QByteArray::number(bytes.size()) + ' ' + QFile::encodeName(name);
}

QString problemWith(const QString& path, const QByteArray& content) {
    const QFileInfo file(path);
    const QString manifestPath = file.absolutePath() + QLatin1Char('/') + kFileName;
    if (content.isEmpty())
        return QStringLiteral("The data file %1 is empty.").arg(path);
    bool readable = false;
    const Listed listed = entryFor(manifestPath, file.fileName(), &readable);
    if (!readable)
        return QStringLiteral("The data file %1 cannot be checked: its manifest %2 is missing or cannot be read.")
            .arg(path, manifestPath);
    if (!listed.found)
        return QStringLiteral("The data file %1 is not listed in the manifest %2.").arg(path, manifestPath);
    if (listed.size != content.size())
        return QStringLiteral("The data file %1 is damaged: it holds %2, where the build made %3.")
            .arg(path, byteCount(content.size()), byteCount(listed.size));
    if (digestOf(content) != listed.digest)
        return QStringLiteral("The data file %1 is damaged: its content is not what the build made.").arg(path);
    return {};
}

} // namespace DataManifest
