// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What parvenna's command line asks for before any window exists. --help and --version are answered without a
// display (no application object is needed); every other argument is left to Qt, which takes its own options
// (-platform, -style, ...), and is otherwise ignored as it always was.
class CommandLine {
public:
    // The arguments after the program's name.
    static QStringList arguments(int argc, char** argv);

    // The text to print before exiting successfully, or nothing when the window is to open. The first of
    // -h/--help/-? and -v/--version decides; nothing after "--" is an option.
    static std::optional<QString> immediateAnswer(const QStringList& arguments);

    static QString helpText();
    static QString versionText();
};
