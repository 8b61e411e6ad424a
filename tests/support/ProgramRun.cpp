// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"

#include <QProcess>

ProgramRun ProgramRun::run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                           int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.closeWriteChannel();
    ProgramRun result;
    result.finished = process.waitForStarted(timeoutMs) && process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.exitCode = result.finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
