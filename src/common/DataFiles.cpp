#include "common/DataFiles.h"

#include <QCoreApplication>
#include <QFileInfo>

QString DataFiles::path(const QString& name) {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString installed = programFolder + QStringLiteral("/../share/parvenna/") + name;
    for (const QString& candidate : {installed, programFolder + QStringLiteral("/data/") + name,
                                     programFolder + QStringLiteral("/../data/") + name}) {
        if (QFileInfo::exists(candidate))
            return QFileInfo(candidate).canonicalFilePath();
    }
    return QFileInfo(installed).absoluteFilePath();
}
