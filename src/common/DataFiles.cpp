// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString DataFiles::path(const QString& name) {
    return path(name, QCoreApplication::applicationDirPath());
}

QString DataFiles::path(const QString& name, const QString& programFolder) {
    const QStringList searched = folders(programFolder);
    for (const QString& folder : searched) {
        const QFileInfo file(folder + QLatin1Char('/') + name);
        if (file.isFile())
            return file.canonicalFilePath();
    }
    return searched.constFirst() + QLatin1Char('/') + name;
}

QStringList DataFiles::folders(const QString& programFolder) {
    const QString base = QDir(programFolder).absolutePath();
    return {QDir::cleanPath(base + QStringLiteral("/../share/parvenna")),
            QDir::cleanPath(base + QStringLiteral("/data")), QDir::cleanPath(base + QStringLiteral("/../data"))};
}
