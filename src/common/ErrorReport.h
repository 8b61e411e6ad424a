// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/MessageSink.h"

#include <QString>

// The common error report: one warning box naming the failure, the procedure and the step.
namespace ErrorReport {

inline const QString kTitle = QStringLiteral("Application Error");
inline const QString kProjectName = QStringLiteral("Kestrane");
inline const QString kVersionDate = QStringLiteral("2021/08/31");
inline const QString kSupportAddress = QStringLiteral("support@orvanta.example");

// description CR LF "in Kestrane2021/08/31.<location> at line <step>" CR CR "Please email screenshot ..."
QString text(const QString& location, int step, const QString& description);

void show(MessageSink& sink, const QString& location, int step, const QString& description);

} // namespace ErrorReport
