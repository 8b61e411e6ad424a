// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SaveTarget.h"

#include "ui/WindowContext.h"

#include <QFileInfo>

namespace SaveTarget {

namespace {

// The folder of what the open dialog returned: one path, or the folder and the names separated by NUL.
QString folderOfOpened(const QString& name) {
    const QStringList parts = name.split(QChar(0));
    return parts.size() > 1 ? parts.first() : QFileInfo(name).absolutePath();
}

} // namespace

void showSave(WindowContext& window, CommonDialog& dialog) {
    if (!dialog.fileName.isEmpty() && dialog.fileName != dialog.savedName)
        dialog.fileName = folderOfOpened(dialog.fileName);
    window.dialogs().showSave(dialog);
    dialog.savedName = dialog.fileName;
}

bool mayWrite(WindowContext& window, const QString& path) {
    const QFileInfo target(path);
    if (!target.exists() || target.isDir())
        return true; // a folder is refused by the writer, with its report
    return window.dialogs().question(replaceQuestion(path), window.applicationTitle());
}

QString replaceQuestion(const QString& path) {
    return QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName());
}

} // namespace SaveTarget
