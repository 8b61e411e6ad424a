// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolRun.h"

#include <QProcess>

ToolRun ToolRun::of(const QString& program, const QStringList& arguments, int milliseconds) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    if (!tool.waitForFinished(milliseconds)) {
        tool.kill();
        tool.waitForFinished(5000);
        return {};
    }
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1, QString::fromUtf8(tool.readAll())};
}
