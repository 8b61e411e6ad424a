// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtDialogs::messageBox(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title) {
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

void QtDialogs::showOpen(CommonDialog& dialog) {
    const QStringList files =
        QFileDialog::getOpenFileNames(dialogParent(), dialog.title, dialog.fileName, qtFilter(dialog.filter));
    if (files.isEmpty()) {
        dialog.fileName.clear();
    } else if (files.size() == 1) {
        dialog.fileName = files.first();
    } else {
        // Several files: the folder, then each name, separated by NUL characters.
        QStringList parts{QFileInfo(files.first()).absolutePath()};
        for (const QString& file : files)
            parts << QFileInfo(file).fileName();
        dialog.fileName = parts.join(QChar(0));
    }
}

void QtDialogs::showSave(CommonDialog& dialog) {
    QFileDialog box(dialogParent(), dialog.title, QString(), qtFilter(dialog.filter));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setOption(QFileDialog::DontConfirmOverwrite, true);
    box.setDefaultSuffix(QString());
    if (QFileInfo(dialog.fileName).isDir())
        box.setDirectory(dialog.fileName);
    else if (!dialog.fileName.isEmpty())
        box.selectFile(dialog.fileName);
    dialog.fileName =
        box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty() ? box.selectedFiles().first() : QString();
}

QString QtDialogs::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString title = parts[i];
        title.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        entries << title;
    }
    return entries.join(QStringLiteral(";;"));
}

bool QtDialogs::question(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
