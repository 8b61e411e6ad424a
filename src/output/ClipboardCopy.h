// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class ListControl;
class WindowContext;

// "Copy Results To Clipboard": the checked results as padded, tab-separated lines of plain text.
class ClipboardCopy {
public:
    explicit ClipboardCopy(WindowContext& window);

    // Form1.PushButton5_Click: every failure of the copy is reported here, at step 106. Ignored while busy.
    void PushButton5_Click();

    // Puts one line per checked row on the clipboard: each cell padded to its column's width (the longest
    // cell of any row, checked or not; titles do not count), fields separated by tabs, trailing spaces
    // removed, CR LF after every line. An empty list leaves the clipboard as it was. Throws AppError when the
    // list refuses a row (it was cleared meanwhile); the clipboard is touched only after the text is built.
    static void CopyListviewProperlySpaced(ListControl& list);

    // Empties the clipboard, up to 1000 attempts; never reports.
    static void ClipboardClearRetry();
    // Puts text on the clipboard, up to 1000 attempts; never reports. format 0 is plain text; 1 (text),
    // 7 (OEM text) and 13 (Unicode text) are plain text too; any other number stores the text as UTF-8 under
    // the type "application/x-clipboard-format-<number>". True when an attempt succeeded.
    static bool ClipboardSetTextRetry(const QString& text, int format);

private:
    static QList<qsizetype> columnWidths(ListControl& list);
    static QString clipboardText(ListControl& list, const QList<qsizetype>& widths);

    WindowContext& m_window;
};
