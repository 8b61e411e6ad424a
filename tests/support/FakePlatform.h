// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/PlatformTools.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>

// Records every box in order and answers input boxes and file dialogs from queues. An unanswered input
// box returns the empty text (Cancel); an unanswered file dialog returns the empty name. Never blocks.
class FakeDialogs : public Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        MessageIcon icon;
    };
    struct FileRequest {
        bool save;
        QString title;
        QString filter;
        int flags;
        QString shownName; // the name the dialog opened with
    };

    void messageBox(const QString& text, const QString& title, MessageIcon icon) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    void showOpen(CommonDialog& dialog) override;
    void showSave(CommonDialog& dialog) override;
    // Recorded among the boxes with the icon Question; answered from questionAnswers, else No.
    bool question(const QString& text, const QString& title) override;

    QList<Box> boxes;
    QStringList prompts; // "prompt|title" of each input box
    QList<FileRequest> fileRequests;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;
    QQueue<bool> questionAnswers;
    // Called while a message box is "open", e.g. to act like a user at that moment.
    std::function<void(const Box&)> onMessage;

    QStringList texts() const;
    // The boxes titled "Application Error".
    QStringList errorReports() const;
};

class FakeClock : public Clock {
public:
    std::int32_t today() const override { return day; }
    double secondsSinceMidnight() const override;
    std::int32_t day = 45000;
    mutable double seconds = -1.0; // negative: follow the real clock
    double stepPerReading = 0.0;   // with a set time: added after every reading, a clock that runs fast
};

class FakeRandom : public Random {
public:
    void seed(double value) override { seeds << value; }
    double next() override { return draw; }
    QList<double> seeds;
    double draw = 0.5;
};

class FakeShell : public Shell {
public:
    void openAddress(const QString& address) override;
    void startDetached(const QString& program, const QStringList& arguments) override;
    QStringList opened;
    QStringList started;
    bool fail = false;
};

class FakePlatformTools : public PlatformTools {
public:
    Dialogs& dialogs() override { return fakeDialogs; }
    Clock& clock() override { return fakeClock; }
    Random& random() override { return fakeRandom; }
    Shell& shell() override { return fakeShell; }

    FakeDialogs fakeDialogs;
    FakeClock fakeClock;
    FakeRandom fakeRandom;
    FakeShell fakeShell;
};
