// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct CommonDialog;
class WindowContext;

// Where an export goes: the window's shared file dialog shown for saving, and the question before a file that
// exists is replaced. The open and the save dialog share one name; after a word file was imported, Enter in the
// save dialog would otherwise replace that very file with the results.
namespace SaveTarget {

// Shows the save dialog. It opens with the name a save last chose; a name the open dialog left (a word file
// just imported) is not offered, only its folder. The chosen path is left in dialog.fileName, empty on Cancel.
void showSave(WindowContext& window, CommonDialog& dialog);

// True when the export may write to path: no file is there, or the user answered Yes to replacing it.
bool mayWrite(WindowContext& window, const QString& path);

// "name.xlsx already exists.\nDo you want to replace it?"
QString replaceQuestion(const QString& path);

} // namespace SaveTarget
