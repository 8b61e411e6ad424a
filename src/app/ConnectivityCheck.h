// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class WindowContext;

// The start-up check that the dictionary service can be reached: one echo request with the system's ping tool.
// It is made only when a service is configured; the built-in dictionary needs no network.
namespace ConnectivityCheck {

inline const QString kOfflineWarning = QStringLiteral("You must be online to use this software accurately.");
// ping is only recommended by the package: without it the check says what is missing instead of "offline".
inline const QString kPingMissing =
    QStringLiteral("The dictionary service could not be checked: the ping tool was not found on this computer. "
                   "Install the package \"iputils-ping\" to have it checked at start-up.");

// The host that is pinged: $PARVENNA_PING_HOST when set and not empty, else the host of the service address.
QString PingHost(const QString& serviceAddress);

// True when the ping tool's output shows a reply ("bytes=" or "bytes from", any letter case).
bool ShowsReply(const QString& output);

// Pings the service's host once (ping -c 1 -W 2 HOST) and, when the output shows no reply, tells the user once;
// without the ping tool it says that instead.
// Nothing else changes; start-up goes on either way. Failures reach the caller.
void CheckOnline(WindowContext& window, const QString& serviceAddress,
                 const QString& pingProgram = QStringLiteral("ping"));

} // namespace ConnectivityCheck
