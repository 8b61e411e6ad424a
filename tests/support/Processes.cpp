// SPDX-License-Identifier: GPL-3.0-or-later
#include "Processes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

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

QProcessEnvironment programEnvironment(const QString& config, const QString& temp, const QString& driver) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("TEMP"), temp);
    environment.insert(QStringLiteral("PARVENNA_PING_HOST"), QStringLiteral("127.0.0.1"));
    environment.insert(QStringLiteral("PARVENNA_HOME_PAGE"), QString());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LD_PRELOAD"), driver);
    // A sanitizer build would refuse to start with a library loaded ahead of its runtime.
    const QString asan = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"), (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) +
                                                           QStringLiteral("verify_asan_link_order=0"));
    return environment;
}

QString waitForLine(QProcess& process, const QString& prefix, int limitMs, QStringList* seen) {
    const QDeadlineTimer deadline(limitMs);
    while (true) {
        while (process.canReadLine()) {
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            if (seen)
                seen->append(line);
            if (line.startsWith(prefix))
                return line;
        }
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return {};
        process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
}

void end(QProcess& process, int limitMs) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(limitMs)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace Processes
