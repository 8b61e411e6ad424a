// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What parvenna's command line asks for before any window exists. --help and --version are answered without a
// display (no application object is needed). Qt's own options (-platform, -style, -session, ...) are left to Qt;
// any other argument is refused with a short usage text and exit status 2, before a window could open.
class CommandLine {
public:
    // An answer printed instead of opening the window: on standard output when the exit status is 0, else on
    // standard error.
    struct Answer {
        QString text;
        int exitStatus = 0;
    };
    static constexpr int kUsageStatus = 2;

    // The arguments after the program's name.
    static QStringList arguments(int argc, char** argv);

    // The answer, or nothing when the window is to open. The first of -h/--help/-?, -v/--version or an argument
    // that is neither these nor one of Qt's options decides.
    static std::optional<Answer> immediateAnswer(const QStringList& arguments);

    static QString helpText();
    static QString versionText();
    static QString usageText(const QString& refused);

    // Qt's options as QGuiApplication, QApplication and the X11 platform take them (one dash or two, a value
    // after a blank or after "="). Advances i past the option's value when it takes one.
    static bool isQtOption(const QStringList& arguments, qsizetype& i);
};
