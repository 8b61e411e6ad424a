// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConnectivityCheck.h"

#include "dictionary/ChildProcess.h"
#include "ui/WindowContext.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace ConnectivityCheck {

QString PingHost(const QString& serviceAddress) {
    const QString host = qEnvironmentVariable("PARVENNA_PING_HOST");
    return host.isEmpty() ? QUrl(serviceAddress).host() : host;
}

bool ShowsReply(const QString& output) {
    return output.contains(QLatin1String("bytes="), Qt::CaseInsensitive) ||
           output.contains(QLatin1String("bytes from"), Qt::CaseInsensitive);
}

void CheckOnline(WindowContext& window, const QString& serviceAddress, const QString& pingProgram) {
    const bool found = pingProgram.contains(QLatin1Char('/')) ? QFileInfo(pingProgram).isExecutable()
                                                              : !QStandardPaths::findExecutable(pingProgram).isEmpty();
    if (!found) {
        window.message(kPingMissing);
        return;
    }
    const QStringList arguments{QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("2"),
                                PingHost(serviceAddress)};
    const QString output = ChildProcess::CaptureCommandOutput(pingProgram, arguments, true, false, true);
    if (!ShowsReply(output))
        window.message(kOfflineWarning);
}

} // namespace ConnectivityCheck
