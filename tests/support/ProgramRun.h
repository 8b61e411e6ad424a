// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of a program to its end, with a bound: a program still running then is killed.
struct ProgramRun {
    static constexpr int kDefaultMs = 60000;

    bool finished = false;
    int exitCode = -1; // -1 as well when the program crashed or was killed
    QByteArray out;
    QByteArray err;

    static ProgramRun run(const QString& program, const QStringList& arguments,
                          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                          int timeoutMs = kDefaultMs);
};
