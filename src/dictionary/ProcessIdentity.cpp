// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/ProcessIdentity.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <algorithm>
#include <unistd.h>

namespace {

constexpr qsizetype kStartTimeField = 19; // field 22 of /proc/PID/stat, counted from the state (field 3)

// The start time from /proc/PID/stat, empty when there is no such process. The command name in parentheses
// may hold blanks and parentheses: the fields that follow begin after the last ")".
QByteArray startTimeOf(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray stat = file.readAll();
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return {};
    const QList<QByteArray> fields = stat.mid(close + 1).trimmed().split(' ');
    return fields.size() > kStartTimeField ? fields[kStartTimeField] : QByteArray();
}

QByteArray ownPidNamespace() {
    return QFileInfo(QStringLiteral("/proc/self/ns/pid")).symLinkTarget().toUtf8();
}

bool isNumber(const QByteArray& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

ProcessIdentity ProcessIdentity::current() {
    return ofPid(::getpid());
}

ProcessIdentity ProcessIdentity::ofPid(qint64 pid) {
    return {pid, startTimeOf(pid), ownPidNamespace()};
}

QByteArray ProcessIdentity::record() const {
    // A namespace that cannot be read is written as "-", so the record keeps its three fields.
    return QByteArray::number(pid) + ' ' + startTime + ' ' + (pidNamespace.isEmpty() ? "-" : pidNamespace) + '\n';
}

std::optional<ProcessIdentity> ProcessIdentity::parse(const QByteArray& record) {
    const QList<QByteArray> fields = record.trimmed().split(' ');
    if (fields.size() != 3 || !isNumber(fields[0]) || !isNumber(fields[1]) || fields[2].isEmpty())
        return std::nullopt;
    bool valid = false;
    const qint64 pid = fields[0].toLongLong(&valid);
    if (!valid || pid <= 0)
        return std::nullopt;
    return ProcessIdentity{pid, fields[1], fields[2] == "-" ? QByteArray() : fields[2]};
}

ProcessIdentity::State ProcessIdentity::state() const {
    const ProcessIdentity now = ofPid(pid);
    if (now.pidNamespace != pidNamespace)
        return State::Unknown;
    return !now.startTime.isEmpty() && now.startTime == startTime ? State::Running : State::Ended;
}
