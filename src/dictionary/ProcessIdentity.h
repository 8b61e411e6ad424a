// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// Who a process is, in a form that can be written down and checked later, also by another process: its id,
// its start time (clock ticks since boot) and its process-id namespace. The id alone is not enough: ids are
// reused, and a process in another namespace (a container, a sandbox) has ids that mean nothing here.
struct ProcessIdentity {
    enum class State {
        Running, // the same process is still there
        Ended,   // no process has that id, or another one has it now
        Unknown, // recorded in another namespace: cannot be judged from here
    };

    qint64 pid = 0;
    QByteArray startTime;
    QByteArray pidNamespace;

    // This process.
    static ProcessIdentity current();
    // The process with that id in this namespace; its start time is empty when there is none.
    static ProcessIdentity ofPid(qint64 pid);
    // The text form: "PID START-TIME NAMESPACE" and a line break.
    QByteArray record() const;
    // A record as record() writes it; nothing when it is not of that form.
    static std::optional<ProcessIdentity> parse(const QByteArray& record);

    State state() const;
};
