// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

namespace Numbers {

// Lenient reading: leading blanks skipped, the longest leading decimal number taken, anything else 0.
// "1" and "1.0" give 1; "", "yes", "true" give 0.
double lenientNumber(const QString& text);

// Strict reading of the whole text as a whole number: blanks around it allowed, a fraction rounded to the
// nearest whole number (a half to the even one). Throws AppError "Type mismatch" for a text that is not a
// number and "Overflow" for a number outside the type's range.
std::int32_t strictInt32(const QString& text);
std::int16_t strictInt16(const QString& text);

// Whole days since 30 December 1899 (1 January 2000 is 36526).
std::int32_t dayNumber(const QDate& date);
QDate dateOfDayNumber(std::int32_t dayNumber);

} // namespace Numbers
