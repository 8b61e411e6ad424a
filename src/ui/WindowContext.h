// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Dialogs.h"
#include "ui/ListControl.h"
#include "ui/PlatformTools.h"
#include "ui/ProgressBar.h"

#include <QString>
#include <cstdint>

class QCheckBox;

// The main window's mouse pointer. The hourglass is the program's busy flag.
enum class MousePointer { Default = 0, Hourglass = 11, Custom = 99 };

class PointerHost {
public:
    virtual ~PointerHost() = default;
    virtual MousePointer pointer() const = 0;
    virtual void setPointer(MousePointer pointer) = 0;
};

// The daily lookup quota as the main window holds it.
struct QuotaState {
    static constexpr int kDailyLimit = 100;
    std::int32_t day = 0;   // day number of the stored quota
    std::int32_t count = 0; // lookups counted on that day
};

// What every handler of the main window works on: both lists, both options, the progress bar, the pointer,
// the file dialog, the quota fields, the application title and the platform seams.
class WindowContext {
public:
    WindowContext(ListControl& wordList, ListControl& resultsList, QCheckBox& showWord, QCheckBox& notFoundEntry,
                  ProgressBar& progressBar, PointerHost& pointer, PlatformTools& tools);

    ListControl& wordList() { return m_wordList; }       // ListView1
    ListControl& resultsList() { return m_resultsList; } // ListView2
    ProgressBar& progressBar() { return m_progressBar; } // ProgressBar1
    bool showWordTicked() const;                         // Check5 "Show original word in results"
    bool notFoundEntryTicked() const;                    // Check1 "Add 'Not Found' entry ..."
    bool stressTicked() const;                           // Check2 "Mark stressed syllables", when there is one
    void setStressBox(QCheckBox* box) { m_stress = box; }

    MousePointer pointer() const { return m_pointer.pointer(); }
    void setPointer(MousePointer pointer) { m_pointer.setPointer(pointer); }
    bool busy() const { return pointer() == MousePointer::Hourglass; }

    Dialogs& dialogs() { return m_tools.dialogs(); }
    Clock& clock() { return m_tools.clock(); }
    Random& random() { return m_tools.random(); }
    Shell& shell() { return m_tools.shell(); }
    CommonDialog& commonDialog() { return m_commonDialog; } // CommonDialog1

    QuotaState& quota() { return m_quota; }

    // The title of every box that names none of its own.
    const QString& applicationTitle() const { return m_applicationTitle; }
    void setApplicationTitle(const QString& title) { m_applicationTitle = title; }
    // A message box with an OK button, no icon and the application title.
    void message(const QString& text) { dialogs().messageBox(text, m_applicationTitle, MessageIcon::None); }

    // Set once the window is closing: long operations stop after their current step.
    bool closing() const { return m_closing; }
    void setClosing() { m_closing = true; }

private:
    ListControl& m_wordList;
    ListControl& m_resultsList;
    QCheckBox& m_showWord;
    QCheckBox& m_notFoundEntry;
    QCheckBox* m_stress = nullptr;
    ProgressBar& m_progressBar;
    PointerHost& m_pointer;
    PlatformTools& m_tools;
    CommonDialog m_commonDialog;
    QuotaState m_quota;
    QString m_applicationTitle = QStringLiteral("Parvenna");
    bool m_closing = false;
};
