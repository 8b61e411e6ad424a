// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/OfficeSuite.h"

#include "common/AppError.h"
#include "ui/Platform.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

constexpr int kQueryTimeoutMs = 3000;

} // namespace

DesktopOfficeSuite::DesktopOfficeSuite(Shell& shell, SofficeFinder findSoffice, HandlerFinder hasHandler)
    : m_shell(shell), m_findSoffice(std::move(findSoffice)), m_hasHandler(std::move(hasHandler)) {}

bool DesktopOfficeSuite::installed() {
    return !m_findSoffice().isEmpty() || m_hasHandler();
}

void DesktopOfficeSuite::show(const QString& file) {
    const QString soffice = m_findSoffice();
    if (soffice.isEmpty() && !m_hasHandler())
        throw AppError(429, QStringLiteral("ActiveX component can't create object"));
    try {
        if (!soffice.isEmpty())
            m_shell.startDetached(soffice, {QStringLiteral("--calc"), QStringLiteral("-n"), file});
        else
            m_shell.openAddress(QUrl::fromLocalFile(file).toString());
    } catch (const AppError& error) {
        // The workbook is written: the user can still open it by hand.
        throw AppError(error.number(), QStringLiteral("The office program could not show the workbook: %1. "
                                                      "The workbook was written to %2")
                                           .arg(error.description(), file));
    }
}

QString DesktopOfficeSuite::findSofficeOnPath() {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    return soffice.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("libreoffice")) : soffice;
}

bool DesktopOfficeSuite::desktopHasXlsxHandler() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.setProcessChannelMode(QProcess::SeparateChannels);
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), kXlsxMimeType});
    if (!query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished(kQueryTimeoutMs);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}
