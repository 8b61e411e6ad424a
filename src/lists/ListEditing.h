// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WindowContext.h"

// The user's editing of the word list (ListView1) and the results list (ListView2): adding one word, the
// sample words, removing the current row, clearing either list, and the pointer reset over the lists.
class ListEditing {
public:
    explicit ListEditing(WindowContext& window);

    void PushButton6_Click(); // "Add One Word"
    void PushButton1_Click(); // "Clear List"; ignored while busy
    void PushButton2_Click(); // "Clear Results"; acts while busy
    void PushButton7_Click(); // "Load Sample/Example Data"

    // Double-click and the Delete key remove the list's current row, unless the window is busy.
    void ListView1_DblClick();
    void ListView1_KeyDown(int qtKey);
    void ListView2_DblClick();
    void ListView2_KeyDown(int qtKey);

    // The mouse moved over either list: back to the arrow unless the window is busy.
    void ListView_MouseMove();

    static inline const QString kPrompt = QStringLiteral("Enter word to add: ");
    static inline const QString kOneWordOnly = QStringLiteral("Must be one word only.");
    static inline const QString kNoSeparator = QStringLiteral("Must be one word only, without \";\".");
    static inline const QStringList kSampleWords = {QStringLiteral("baby"), QStringLiteral("diamond"),
                                                    QStringLiteral("New Hampshire"), QStringLiteral("demonstration")};

private:
    void removeCurrentRow(ListControl& list);

    WindowContext& m_window;
};
