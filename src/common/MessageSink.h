// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

enum class MessageIcon { None, Warning, Information, Critical, Question };

// Where message boxes go. The user-interface layer implements it with real boxes; tests record them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows a modal box with one OK button and returns when it is closed.
    virtual void messageBox(const QString& text, const QString& title, MessageIcon icon) = 0;
};
