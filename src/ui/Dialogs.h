// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/MessageSink.h"

#include <QString>

// The state of the window's one file dialog, shared by the open and the save dialog: the name it last
// returned stays for the next showing.
struct CommonDialog {
    static constexpr int kFlags = 0x280201; // read-only box, multi-select, explorer style, long names
    QString fileName;
    QString savedName; // the name the save dialog last returned (see SaveTarget)
    int flags = 0;
    QString title;
    QString filter; // "Title|pattern|Title|pattern|"
};

// Every modal box the program shows. The production implementation uses Qt's boxes; tests replace it.
class Dialogs : public MessageSink {
public:
    // The typed text; the empty text on Cancel.
    virtual QString inputBox(const QString& prompt, const QString& title) = 0;
    // Shows the open dialog and leaves the result in dialog.fileName: empty on Cancel, the full path for
    // one file, or the folder and the names separated by NUL characters for several files.
    virtual void showOpen(CommonDialog& dialog) = 0;
    // Shows the save dialog and leaves the chosen path in dialog.fileName, empty on Cancel. A name that is a
    // folder opens the dialog in that folder with no name offered. The dialog itself never asks about an
    // existing file: the caller does (question).
    virtual void showSave(CommonDialog& dialog) = 0;
    // A question with Yes and No, No the default. True for Yes; closing the box is No.
    virtual bool question(const QString& text, const QString& title) = 0;
};

// Qt file dialogs and message boxes, parented to the main window.
class QtDialogs : public Dialogs {
public:
    void messageBox(const QString& text, const QString& title, MessageIcon icon) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    void showOpen(CommonDialog& dialog) override;
    void showSave(CommonDialog& dialog) override;
    bool question(const QString& text, const QString& title) override;

    // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|" -> "Text Files (*.txt);;All Files (*)"
    static QString qtFilter(const QString& filter);
};
