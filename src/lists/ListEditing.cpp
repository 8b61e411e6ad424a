// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/ListEditing.h"

#include "common/StepTrap.h"

ListEditing::ListEditing(WindowContext& window) : m_window(window) {}

void ListEditing::PushButton6_Click() {
    StepTrap trap{m_window.dialogs(), QStringLiteral("Form1.PushButton6_Click")};
    QString word;
    trap.step(104, [&] { word = m_window.dialogs().inputBox(kPrompt, m_window.applicationTitle()); });
    if (trap.test(106, [&] { return word.isEmpty(); }))
        return;
    // Only the blank breaks the one-word rule; the word is kept exactly as typed. A ";" is refused too: the
    // stored word list is joined by ";", so such a word would come back as two after a restart.
    if (trap.test(108, [&] { return word.contains(QLatin1Char(' ')) || word.contains(QLatin1Char(';')); })) {
        trap.step(110, [&] { m_window.message(word.contains(QLatin1Char(' ')) ? kOneWordOnly : kNoSeparator); });
        return;
    }
    trap.step(112, [&] { m_window.wordList().addRow(word); });
}

void ListEditing::PushButton1_Click() {
    StepTrap trap{m_window.dialogs(), QStringLiteral("Form1.PushButton1_Click")};
    trap.step(100, [&] {
        if (!m_window.busy())
            m_window.wordList().clear();
    });
}

void ListEditing::PushButton2_Click() {
    StepTrap trap{m_window.dialogs(), QStringLiteral("Form1.PushButton2_Click")};
    trap.step(100, [&] { m_window.resultsList().clear(); });
}

void ListEditing::PushButton7_Click() {
    StepTrap trap{m_window.dialogs(), QStringLiteral("Form1.PushButton7_Click")};
    int step = 100;
    for (const QString& word : kSampleWords) {
        trap.step(step, [&] { m_window.wordList().addRow(word); });
        step += 2;
    }
}

void ListEditing::ListView1_DblClick() {
    removeCurrentRow(m_window.wordList());
}

void ListEditing::ListView1_KeyDown(int qtKey) {
    if (qtKey == Qt::Key_Delete)
        removeCurrentRow(m_window.wordList());
}

void ListEditing::ListView2_DblClick() {
    removeCurrentRow(m_window.resultsList());
}

void ListEditing::ListView2_KeyDown(int qtKey) {
    if (qtKey == Qt::Key_Delete)
        removeCurrentRow(m_window.resultsList());
}

void ListEditing::ListView_MouseMove() {
    if (!m_window.busy())
        m_window.setPointer(MousePointer::Default);
}

void ListEditing::removeCurrentRow(ListControl& list) {
    if (m_window.busy() || list.rowCount() == 0)
        return;
    // A list with rows but no current row loses nothing.
    const qsizetype row = list.currentRow();
    if (row >= 1 && row <= list.rowCount())
        list.removeRow(row);
}
