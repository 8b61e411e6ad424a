// SPDX-License-Identifier: GPL-3.0-or-later
#include "Processes.h"

#include <QDir>
#include <QFile>

namespace Processes {
namespace {

QByteArray readProcFile(pid_t pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Fills state and parent from /proc/PID/stat; false when the process is gone. The name in parentheses may
// hold blanks and parentheses itself: the fields that follow begin after the last ")".
bool readStat(Info& info) {
    const QByteArray stat = readProcFile(info.pid, "stat");
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 2 || fields[0].isEmpty())
        return false;
    info.state = fields[0].front();
    info.parent = static_cast<pid_t>(fields[1].toInt());
    return true;
}

} // namespace

QList<Info> all() {
    QList<Info> processes;
    const QStringList names = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        bool number = false;
        Info info;
        info.pid = static_cast<pid_t>(name.toInt(&number));
        if (!number || !readStat(info))
            continue;
        QByteArray line = readProcFile(info.pid, "cmdline");
        line.replace('\0', ' ');
        info.commandLine = QString::fromUtf8(line.trimmed());
        processes.append(info);
    }
    return processes;
}

QList<Info> childrenOf(pid_t parent) {
    QList<Info> children;
    for (const Info& info : all()) {
        if (info.parent == parent && info.state != 'Z')
            children.append(info);
    }
    return children;
}

bool ended(pid_t pid) {
    Info info;
    info.pid = pid;
    return !readStat(info) || info.state == 'Z' || info.state == 'X';
}

} // namespace Processes
