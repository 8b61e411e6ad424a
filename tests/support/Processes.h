// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <sys/types.h>

class QProcess;

// The processes of this computer as /proc shows them to any user.
namespace Processes {

struct Info {
    pid_t pid = 0;
    pid_t parent = 0;
    char state = '?';    // R, S, Z, ...
    QString commandLine; // the arguments joined by blanks
};

QList<Info> all();
// The children of a process that have not ended (zombies are left out).
QList<Info> childrenOf(pid_t parent);
// True when the process has ended: gone, or a zombie nobody has reaped yet.
bool ended(pid_t pid);

// The environment for the real program in an end-to-end test: settings and temporary folder given, the ping on
// loopback, no home page, offscreen, and the test driver (a library) loaded into it.
QProcessEnvironment programEnvironment(const QString& config, const QString& temp, const QString& driver);

// Reads the process's standard output until a line that starts with prefix comes, the process ends or limitMs has
// passed. The line, or the empty text; *seen (when given) collects every line read.
QString waitForLine(QProcess& process, const QString& prefix, int limitMs, QStringList* seen = nullptr);

// Asks the process to end (SIGTERM), and kills it when it has not ended within limitMs.
void end(QProcess& process, int limitMs = 15000);

} // namespace Processes
