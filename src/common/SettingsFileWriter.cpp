// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SettingsFileWriter.h"

#include "common/AppError.h"
#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace SettingsFileWriter {
namespace {

// The store tells only that it could not write its file; what stands in the way is read off the file and its folder.
AppError writeFailure(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return {AppError::PathNotFound,
                QStringLiteral("Path not found: the settings folder %1").arg(folder.filePath())};
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return {AppError::PermissionDenied,
                QStringLiteral("Permission denied: the settings file %1 cannot be written").arg(path)};
    return {AppError::DeviceIOError,
            QStringLiteral("The settings file %1 could not be written: the disk may be full").arg(path)};
}

// Every value of the file at path, with key set to text, written by a store into a new file. Returns how many keys
// it holds.
qsizetype writeWithValue(const QString& path, const QString& key, const QString& text, const QString& target) {
    const QSettings current(path, QSettings::IniFormat);
    QSettings written(target, QSettings::IniFormat);
    const QStringList keys = current.allKeys();
    for (const QString& existing : keys)
        written.setValue(existing, current.value(existing));
    written.setValue(key, text);
    written.sync();
    if (written.status() != QSettings::NoError)
        throw writeFailure(path);
    return written.allKeys().size();
}

// The new file read back from the disk, under a name no store has seen (a store keeps what it wrote and would not
// read it again): it must hold the value and every key.
void checkWritten(const QString& file, const QString& key, const QString& text, qsizetype keys, const QString& path) {
    const QSettings readBack(file, QSettings::IniFormat);
    if (readBack.status() != QSettings::NoError || readBack.value(key).toString() != text ||
        readBack.allKeys().size() != keys)
        throw writeFailure(path);
}

} // namespace

void setValue(const QString& path, const QString& key, const QString& text) {
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath()); // a new user's settings folder
    QTemporaryDir scratch(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-XXXXXX"));
    if (!scratch.isValid())
        throw writeFailure(path);
    const QString written = scratch.filePath(QStringLiteral("written"));
    const QString checked = scratch.filePath(QStringLiteral("checked"));
    const qsizetype keys = writeWithValue(path, key, text, written);
    if (!QFile::rename(written, checked))
        throw writeFailure(path);
    checkWritten(checked, key, text, keys, path);
    QFile file(checked);
    if (!file.open(QIODevice::ReadOnly))
        throw writeFailure(path);
    try {
        AtomicFile replacement(path);
        replacement.open();
        replacement.write(file.readAll());
        replacement.commit();
    } catch (const AppError& failure) {
        throw AppError(failure.number(),
                       failure.description() + QStringLiteral(": the settings file %1 cannot be written").arg(path));
    }
}

} // namespace SettingsFileWriter
