// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakePlatform.h"
#include "ui/ListControl.h"
#include "ui/ProgressBar.h"
#include "ui/WindowContext.h"

#include <QCheckBox>
#include <QList>
#include <QStringList>

// A pointer that remembers every change, so a test can see the hourglass come and go.
class RecordingPointer : public PointerHost {
public:
    MousePointer pointer() const override { return m_pointer; }
    void setPointer(MousePointer pointer) override {
        m_pointer = pointer;
        changes << pointer;
    }
    QList<MousePointer> changes;

private:
    MousePointer m_pointer = MousePointer::Default;
};

// The main window's state built from real controls and the fake platform, for testing handlers on their own.
struct TestWindow {
    ListControl words;
    ListControl results;
    QCheckBox showWord;
    QCheckBox notFoundEntry;
    ProgressBar progress;
    RecordingPointer pointer;
    FakePlatformTools tools;
    WindowContext window{words, results, showWord, notFoundEntry, progress, pointer, tools};

    explicit TestWindow(const QStringList& resultTitles = {QStringLiteral("Results"),
                                                           QStringLiteral("Syllables Count")}) {
        words.addColumn(QStringLiteral(" Words"));
        for (const QString& title : resultTitles)
            results.addColumn(title);
    }
    FakeDialogs& dialogs() { return tools.fakeDialogs; }
    void setBusy(bool busy) { pointer.setPointer(busy ? MousePointer::Hourglass : MousePointer::Default); }
};
