// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/DailyQuota.h"

#include "common/AppError.h"
#include "common/Numbers.h"
#include "common/Settings.h"
#include "common/StepTrap.h"

namespace DailyQuota {

std::int32_t storedCount(const QString& text) {
    const std::int16_t count = Numbers::strictInt16(text);
    if (count < 0)
        throw AppError::overflow();
    return count;
}

bool isNewDay(const QuotaState& quota, std::int32_t today) {
    return quota.day < today;
}

bool allowsRun(const QuotaState& quota) {
    return quota.count < QuotaState::kDailyLimit;
}

QString refusalText(int dailyLimit) {
    return QStringLiteral("The total number of queries per day has been reached. Only ") + QString::number(dailyLimit) +
           QStringLiteral(" lookups are allowed per day.") + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Please try again tomorrow.");
}

QString closingText(bool found, bool limitReached, int dailyLimit) {
    QString text = found ? QStringLiteral("Done.") : QString();
    if (limitReached) {
        if (found)
            text += QStringLiteral("\r\n\r\n");
        text += refusalText(dailyLimit);
    }
    return text;
}

void save(QuotaState& quota, std::int32_t today, StepTrap& trap) {
    quota.day = today;
    trap.step(192, [&] { Settings::save(kDateKey, QString::number(quota.day)); });
    trap.step(194, [&] { Settings::save(kCountKey, QString::number(quota.count)); });
}

} // namespace DailyQuota
