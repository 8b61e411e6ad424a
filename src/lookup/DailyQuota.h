// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WindowContext.h"

#include <QString>
#include <cstdint>

class StepTrap;

// The cap of 100 lookups per calendar day, kept in the settings "Request date" and "Request count".
namespace DailyQuota {

inline const QString kDateKey = QStringLiteral("Request date");
inline const QString kCountKey = QStringLiteral("Request count");

// The stored "Request count" as the quota's count. Throws AppError "Overflow" for a count outside 0 to
// 32,767 (a negative count would allow more lookups than the daily limit) and "Type mismatch" for a text
// that is not a number.
std::int32_t storedCount(const QString& text);

// A remembered day earlier than today starts a fresh count; today or a later day keeps it.
bool isNewDay(const QuotaState& quota, std::int32_t today);

bool allowsRun(const QuotaState& quota);

// "The total number of queries per day has been reached. Only 100 lookups ..." CR LF CR LF "Please try again tomorrow."
QString refusalText(int dailyLimit = QuotaState::kDailyLimit);

// The closing message of a run: "Done." when something was found, the quota notice when the limit was
// reached (after two line breaks when both).
QString closingText(bool found, bool limitReached, int dailyLimit = QuotaState::kDailyLimit);

// Makes today the quota's day and stores both values, at the run's steps 192 and 194.
void save(QuotaState& quota, std::int32_t today, StepTrap& trap);

} // namespace DailyQuota
