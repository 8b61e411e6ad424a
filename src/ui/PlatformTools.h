// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Dialogs.h"
#include "ui/Platform.h"

// The seams to the desktop, created once in main() and handed down to the window and its handlers.
class PlatformTools {
public:
    virtual ~PlatformTools() = default;
    virtual Dialogs& dialogs() = 0;
    virtual Clock& clock() = 0;
    virtual Random& random() = 0;
    virtual Shell& shell() = 0;
};

class DesktopPlatformTools : public PlatformTools {
public:
    Dialogs& dialogs() override { return m_dialogs; }
    Clock& clock() override { return m_clock; }
    Random& random() override { return m_random; }
    Shell& shell() override { return m_shell; }

private:
    QtDialogs m_dialogs;
    SystemClock m_clock;
    SystemRandom m_random;
    DesktopShell m_shell;
};
