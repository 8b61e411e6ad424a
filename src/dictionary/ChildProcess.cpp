// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/ChildProcess.h"

#include "common/AppError.h"
#include "common/TextCodec.h"
#include "ui/ProgressBar.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace ChildProcess {
namespace {

constexpr int kStartLimitMs = 10000;
constexpr int kPollMs = 100;
constexpr int kEndLimitMs = 5000;

// Starts the program with the given bytes on its standard input (nothing when empty); the input is closed once
// written. False when the program could not be started.
bool startChild(QProcess& process, const QString& program, const QStringList& arguments, const QByteArray& input = {},
                qint64 maxFileBytes = 0) {
    if (program.isEmpty())
        return false;
    EndWithParent(process, maxFileBytes);
    if (input.isEmpty())
        process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments, input.isEmpty() ? QIODevice::ReadOnly : QIODevice::ReadWrite);
    if (!process.waitForStarted(kStartLimitMs))
        return false;
    if (!input.isEmpty()) {
        process.write(input);
        process.closeWriteChannel(); // the pipe closes once the bytes are out: the child sees the end
    }
    return true;
}

// Waits in a local event loop until the child has ended. Every poll interval onPoll runs; when it returns
// true, or the time limit has passed, the child is ended. Returns true when the child was ended that way.
bool waitForEnd(QProcess& process, int limitMs, const std::function<bool()>& onPoll) {
    if (process.state() == QProcess::NotRunning)
        return false;
    bool ended = false;
    QEventLoop loop;
    QTimer poll;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);
    const auto endChild = [&] {
        if (ended)
            return;
        ended = true;
        process.kill();
    };
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (onPoll && onPoll())
            endChild();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, endChild);
    poll.start(kPollMs);
    limit.start(limitMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // The loop also ends when the program quits (a termination signal, the last window closed); from then on
    // no loop runs. The child must not outlive the wait.
    if (process.state() != QProcess::NotRunning) {
        endChild();
        process.waitForFinished(kEndLimitMs);
    }
    return ended;
}

} // namespace

void EndWithParent(QProcess& process, qint64 maxFileBytes) {
    const pid_t parent = ::getpid();
    // Runs in the child between fork and exec: only async-signal-safe calls. When the parent died before the
    // request took effect, the child ends at once. A write beyond the file size limit fails instead of ending the
    // child by SIGXFSZ (an ignored signal stays ignored across exec).
    process.setChildProcessModifier([parent, maxFileBytes] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        rlimit limit{};
        if (maxFileBytes > 0 && ::getrlimit(RLIMIT_FSIZE, &limit) == 0) {
            if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > rlim_t(maxFileBytes)) {
                limit.rlim_cur = rlim_t(maxFileBytes); // a lower limit the user set stays
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ::signal(SIGXFSZ, SIG_IGN);
        }
    });
}

int StartErrorNumber(const QString& program) {
    constexpr int kFileNotFound = 53;
    constexpr int kPermissionDenied = 70;
    constexpr int kInvalidCall = 5;
    if (program.isEmpty())
        return kFileNotFound;
    const QString path = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return kFileNotFound;
    if (info.isDir() || !info.isExecutable())
        return kPermissionDenied;
    return kInvalidCall;
}

QString CaptureCommandOutput(const QString& program, const QStringList& arguments, bool captureStdout,
                             bool captureStderr, [[maybe_unused]] bool convertOem) {
    if (!captureStdout && !captureStderr)
        throw AppError::invalidProcedureCall();
    QProcess process;
    if (captureStdout && captureStderr) {
        process.setProcessChannelMode(QProcess::MergedChannels);
    } else if (captureStdout) {
        process.setStandardErrorFile(QProcess::nullDevice());
    } else {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setReadChannel(QProcess::StandardError);
    }
    if (!startChild(process, program, arguments))
        return kFailedToCreate;
    waitForEnd(process, kTimeLimitMs, {});
    // OEM and ANSI text alike: UTF-8 when valid, else Windows-1252.
    const QByteArray bytes = captureStdout ? process.readAllStandardOutput() : process.readAllStandardError();
    return TextCodec::decodeText(bytes);
}

qint32 RunAndWait(const QString& program, const QStringList& arguments, std::optional<int>& windowStyle,
                  ProgressBar* progress, const std::function<bool()>& stop, int timeLimitMs, const QByteArray& input,
                  QByteArray* output, qint64 maxFileBytes) {
    if (!windowStyle || *windowStyle < 0 || *windowStyle > 6)
        windowStyle = kDefaultWindowStyle;
    // Console programs have no window here: the style is kept for the caller, and the child's output is dropped
    // unless the caller wants it.
    QProcess process;
    if (output)
        output->clear();
    else
        process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!startChild(process, program, arguments, input, maxFileBytes))
        return kStartErrorBase + StartErrorNumber(program);

    qint32 polls = 0;
    const auto showPoll = [&] {
        ++polls;
        if (progress)
            progress->setBarText(QStringLiteral("Please wait.. %1").arg(polls));
    };
    showPoll();
    const bool ended = waitForEnd(process, timeLimitMs, [&] {
        showPoll();
        return stop && stop();
    });
    if (progress)
        progress->setBarText(ProgressBar::kRestText);
    if (output)
        *output = process.readAllStandardOutput();
    if (ended || process.exitStatus() == QProcess::CrashExit)
        return -1;
    return process.exitCode();
}

} // namespace ChildProcess
