// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ErrorReport.h"

namespace ErrorReport {

QString text(const QString& location, int step, const QString& description) {
    return description + QStringLiteral("\r\n") + QStringLiteral("in ") + kProjectName + kVersionDate +
           QLatin1Char('.') + location + QLatin1Char(' ') + QStringLiteral("at line ") + QString::number(step) +
           QStringLiteral("\r\r") + QStringLiteral("Please email screenshot of this message to ") + kSupportAddress;
}

void show(MessageSink& sink, const QString& location, int step, const QString& description) {
    sink.messageBox(text(location, step, description), kTitle, MessageIcon::Warning);
}

} // namespace ErrorReport
