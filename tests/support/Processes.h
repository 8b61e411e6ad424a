// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <sys/types.h>

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

} // namespace Processes
