// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/WordFileImport.h"

#include "common/AppError.h"
#include "common/FileSystem.h"
#include "common/StepTrap.h"
#include "lists/WordTokenizer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kLocation = QStringLiteral("Form1.PushButton3_Click");

// Replaces every pair of the character by one, from left to right without overlap.
QString collapsePairs(QString text, QChar c) {
    return text.replace(QString(2, c), QString(c));
}

} // namespace

QByteArray WordFileImport::readWordFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        throw AppError(AppError::PathFileAccessError,
                       QStringLiteral("Path/File access error: \"%1\" is a folder, not a file").arg(path));
    if (!info.isFile())
        throw AppError(AppError::PathFileAccessError,
                       QStringLiteral("Path/File access error: \"%1\" is not a regular file").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError)
            throw AppError(AppError::PermissionDenied, QStringLiteral("Permission denied: \"%1\"").arg(path));
        throw AppError(AppError::PathFileAccessError,
                       QStringLiteral("Path/File access error: \"%1\" (%2)").arg(path, file.errorString()));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(AppError::DeviceIOError,
                       QStringLiteral("Device I/O error: \"%1\" (%2)").arg(path, file.errorString()));
    return bytes;
}

WordFileImport::WordFileImport(WindowContext& window) : m_window(window) {}

void WordFileImport::PushButton3_Click() {
    if (m_window.busy())
        return;
    StepTrap trap{m_window.dialogs(), kLocation};
    CommonDialog& dialog = m_window.commonDialog();
    trap.step(104, [&] { dialog.fileName.clear(); });
    trap.step(106, [&] { dialog.flags = CommonDialog::kFlags; });
    trap.step(108, [&] { dialog.title = kTitle; });
    trap.step(110, [&] { dialog.filter = kFilter; });
    trap.step(112, [&] { m_window.dialogs().showOpen(dialog); });
    if (trap.test(114, [&] { return dialog.fileName.isEmpty(); }))
        return;
    QStringList parts;
    trap.step(116, [&] { parts = dialog.fileName.split(QChar(0)); });
    trap.step(118, [&] { m_window.setPointer(MousePointer::Hourglass); });
    ListControl& words = m_window.wordList();
    if (trap.test(120, [&] { return parts.size() == 1; }))
        trap.step(124, [&] { LoadTextFileIntoListview(words, parts.first(), m_window); });
    if (trap.test(126, [&] { return parts.size() >= 2; })) {
        // The first part is the folder, each further part one file name in it, in the dialog's order.
        trap.enter(128);
        for (qsizetype i = 1; i < parts.size(); ++i) {
            trap.enter(136);
            QString path;
            trap.step(138, [&] { path = JoinFolderAndName(parts.first(), parts[i]); });
            trap.step(140, [&] { path = RemoveDoubleSeparators(path); });
            trap.step(142, [&] { LoadTextFileIntoListview(words, path, m_window); });
            trap.enter(144);
        }
    }
    trap.step(150, [&] { m_window.setPointer(MousePointer::Default); });
}

void WordFileImport::LoadTextFileIntoListview(ListControl& list, const QString& path, WindowContext& window) {
    if (!FileSystem::FileExists(path)) {
        window.message(kFileNotFound);
        return;
    }
    list.addRows(WordTokenizer::wordBlockOfFile(readWordFile(path)));
}

QString WordFileImport::RemoveDoubleBackslashes(const QString& path) {
    const QChar backslash = QLatin1Char('\\');
    if (!path.startsWith(backslash))
        return collapsePairs(path, backslash);
    qsizetype first = 1;
    while (first < path.size() && path[first] == backslash)
        ++first;
    return QString(2, backslash) + collapsePairs(path.mid(first), backslash);
}

QString WordFileImport::JoinFolderAndName(const QString& folder, const QString& name) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(folder) + QLatin1Char('\\') + name;
#else
    return folder + QLatin1Char('/') + name;
#endif
}

QString WordFileImport::RemoveDoubleSeparators(const QString& path) {
#ifdef Q_OS_WIN
    return RemoveDoubleBackslashes(path);
#else
    return collapsePairs(path, QLatin1Char('/'));
#endif
}
