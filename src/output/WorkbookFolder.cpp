// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/WorkbookFolder.h"

#include "common/AppError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the six X of the folder's pattern become.
const QRegularExpression kFolderName(QStringLiteral("^parvenna-sheet-[A-Za-z0-9]{6}$"));

bool statNoFollow(const QString& path, struct stat& info) {
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Removes one folder when it is ours, old enough and holds nothing but the workbook.
bool removeIfOld(const QString& folder, qint64 cutOff) {
    struct stat info {};
    if (!statNoFollow(folder, info) || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    qint64 changed = info.st_mtime;
    const QString workbook = folder + QLatin1Char('/') + WorkbookFolder::kFileName;
    if (!entries.isEmpty()) {
        struct stat file {};
        if (entries != QStringList{WorkbookFolder::kFileName} || !statNoFollow(workbook, file) ||
            !S_ISREG(file.st_mode) || file.st_uid != ::geteuid())
            return false;
        changed = file.st_mtime;
    }
    if (changed >= cutOff)
        return false;
    if (!entries.isEmpty() && ::unlink(QFile::encodeName(workbook).constData()) != 0)
        return false;
    return ::rmdir(QFile::encodeName(folder).constData()) == 0;
}

} // namespace

namespace WorkbookFolder {

QString temporaryBase() {
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

QString create() {
    QTemporaryDir folder(temporaryBase() + QLatin1Char('/') + kPrefix + QStringLiteral("XXXXXX"));
    if (!folder.isValid())
        throw AppError::pathNotFound();
    folder.setAutoRemove(false);
    return folder.filePath(kFileName);
}

int removeOld(const QDateTime& now) {
    const qint64 cutOff = now.addDays(-1).toSecsSinceEpoch();
    const QString base = temporaryBase();
    int removed = 0;
    const QStringList names = QDir(base).entryList({kPrefix + QLatin1Char('*')},
                                                   QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& name : names)
        if (kFolderName.match(name).hasMatch() && removeIfOld(base + QLatin1Char('/') + name, cutOff))
            ++removed;
    return removed;
}

} // namespace WorkbookFolder
