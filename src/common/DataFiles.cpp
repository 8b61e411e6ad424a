// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DataFiles.h"

#include "common/AppError.h"
#include "common/DataManifest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString DataFiles::path(const QString& name) {
    return path(name, QCoreApplication::applicationDirPath());
}

QString DataFiles::path(const QString& name, const QString& programFolder) {
    const QStringList searched = folders(programFolder);
    const QString folder = folderHolding(name, searched);
    if (folder.isEmpty())
        return searched.constFirst() + QLatin1Char('/') + name;
    return QFileInfo(folder + QLatin1Char('/') + name).canonicalFilePath();
}

QString DataFiles::folderHolding(const QString& name, const QStringList& searched) {
    for (const QString& folder : searched) {
        if (QFileInfo(folder + QLatin1Char('/') + name).isFile())
            return folder;
    }
    return {};
}

QStringList DataFiles::folders(const QString& programFolder) {
    const QString base = QDir(programFolder).absolutePath();
    return {QDir::cleanPath(base + QStringLiteral("/../share/parvenna")),
            QDir::cleanPath(base + QStringLiteral("/data")), QDir::cleanPath(base + QStringLiteral("/../data"))};
}

namespace {

AppError reinstall(const QString& problem) {
    return AppError::withText(problem + QStringLiteral(" Please reinstall Parvenna."));
}

} // namespace

QString DataFiles::missingText(const QString& name, const QStringList& searched) {
    for (const QString& folder : searched) {
        const QString candidate = folder + QLatin1Char('/') + name;
        if (QFileInfo(candidate).isDir())
            return QStringLiteral("The data file %1 is a folder, not a file.").arg(candidate);
    }
    return QStringLiteral("The data file %1 was not found in any of the folders searched, in order: %2.")
        .arg(name, searched.join(QStringLiteral(", ")));
}

DataFiles::Checked DataFiles::readChecked(const QString& name) {
    return readChecked(name, QCoreApplication::applicationDirPath());
}

DataFiles::Checked DataFiles::readChecked(const QString& name, const QString& programFolder) {
    // The manifest is the one in the folder the file was found in, also when the file is a link to elsewhere.
    const QStringList searched = folders(programFolder);
    const QString folder = folderHolding(name, searched);
    if (folder.isEmpty())
        throw reinstall(missingText(name, searched));
    const QString found = folder + QLatin1Char('/') + name;
    QFile file(found);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        throw reinstall(QStringLiteral("The data file %1 cannot be read: %2.").arg(found, file.errorString()));
    if (const QString problem = DataManifest::problemWith(found, bytes); !problem.isEmpty())
        throw reinstall(problem);
    return {found, std::move(bytes)};
}
