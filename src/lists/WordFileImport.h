// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WindowContext.h"

// "Load Words From File": the user picks one or more text files and every word in them is appended to the
// word list (ListView1). The list is not cleared first and nothing is compared with the rows present.
class WordFileImport {
public:
    explicit WordFileImport(WindowContext& window);

    // Ignored while the window is busy, so an import or a splitting run is never entered twice.
    void PushButton3_Click();

    // Appends every word of the file at path to list. A missing file shows "File not found" and adds
    // nothing; a file that cannot be read (a folder, not a regular file, no permission, a read error)
    // throws AppError naming the file.
    static void LoadTextFileIntoListview(ListControl& list, const QString& path, WindowContext& window);

    // The whole content of a word file, or AppError naming the file: a folder, not a regular file, no
    // permission, a read error.
    static QByteArray readWordFile(const QString& path);

    // Collapses doubled backslashes from left to right without overlap ("\\\" becomes "\\"); a leading
    // run of backslashes of any length becomes exactly two, so a network path keeps its prefix.
    static QString RemoveDoubleBackslashes(const QString& path);

    // The path of one file of a several-files selection: folder, the path separator and the name.
    static QString JoinFolderAndName(const QString& folder, const QString& name);
    // Collapses the doubled path separator of a joined path (a folder that already ends in one, such as the
    // root folder). On Windows this is RemoveDoubleBackslashes; elsewhere pairs of slashes become one, also
    // at the start, since there is no network prefix to keep and a backslash is an ordinary name character.
    static QString RemoveDoubleSeparators(const QString& path);

    static inline const QString kTitle = QStringLiteral("Load List(s) - Hold Ctrl to select multiple list files");
    static inline const QString kFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");
    static inline const QString kFileNotFound = QStringLiteral("File not found");

private:
    WindowContext& m_window;
};
