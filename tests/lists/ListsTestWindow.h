#pragma once

#include "FakePlatform.h"
#include "ui/WindowContext.h"

#include <QCheckBox>

// A main window's state built from real controls and the fake platform, for the list handlers.
class ListsTestWindow {
public:
    class Pointer : public PointerHost {
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

    ListsTestWindow() {
        words.addColumn(QStringLiteral(" Words"));
        results.addColumn(QStringLiteral("Results"));
        results.addColumn(QStringLiteral("Syllables Count"));
    }

    FakeDialogs& dialogs() { return tools.fakeDialogs; }

    void setBusy(bool busy) { pointer.setPointer(busy ? MousePointer::Hourglass : MousePointer::Default); }

    ListControl words;
    ListControl results;
    QCheckBox showWord;
    QCheckBox notFoundEntry;
    ProgressBar progress;
    Pointer pointer;
    FakePlatformTools tools;
    WindowContext window{words, results, showWord, notFoundEntry, progress, pointer, tools};
};
