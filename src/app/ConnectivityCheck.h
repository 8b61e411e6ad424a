#pragma once

#include <QString>

class WindowContext;

// The start-up check that the computer is online: one echo request with the system's ping tool.
namespace ConnectivityCheck {

inline const QString kOfflineWarning = QStringLiteral("You must be online to use this software accurately.");

// The host that is pinged: $PARVENNA_PING_HOST when set and not empty, else a well-known public host.
QString PingHost();

// True when the ping tool's output shows a reply ("bytes=" or "bytes from", any letter case).
bool ShowsReply(const QString& output);

// Pings the host once (ping -c 1 -W 2 HOST) and, when the output shows no reply, tells the user once.
// Nothing else changes; start-up goes on either way. Failures reach the caller.
void CheckOnline(WindowContext& window, const QString& pingProgram = QStringLiteral("ping"));

} // namespace ConnectivityCheck
