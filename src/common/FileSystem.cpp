// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileSystem.h"

#include <QFileInfo>

namespace FileSystem {

bool FileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

QString FileNameFromPath(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

} // namespace FileSystem
