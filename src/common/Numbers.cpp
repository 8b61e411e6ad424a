// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Numbers.h"

#include "common/AppError.h"

#include <cmath>
#include <limits>
#include <optional>

namespace Numbers {
namespace {

const QDate kDayZero(1899, 12, 30);

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A plain decimal number: optional sign, digits, optional fraction; blanks around it allowed.
std::optional<double> parseWholeText(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
        ++i;
    qsizetype digits = 0;
    for (; i < trimmed.size() && isDigit(trimmed[i]); ++i)
        ++digits;
    if (i < trimmed.size() && trimmed[i] == QLatin1Char('.')) {
        for (++i; i < trimmed.size() && isDigit(trimmed[i]); ++i)
            ++digits;
    }
    if (digits == 0 || i != trimmed.size())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

template <typename T> T strictWhole(const QString& text) {
    const std::optional<double> value = parseWholeText(text);
    if (!value)
        throw AppError::typeMismatch();
    const double rounded = std::nearbyint(*value); // default rounding mode: a half goes to the even number
    if (rounded < double(std::numeric_limits<T>::min()) || rounded > double(std::numeric_limits<T>::max()))
        throw AppError::overflow();
    return static_cast<T>(rounded);
}

} // namespace

double lenientNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    qsizetype end = i;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        end = i;
    }
    if (end == digitsStart || (end == digitsStart + 1 && text[digitsStart] == QLatin1Char('.')))
        return 0.0;
    return text.mid(start, end - start).toDouble();
}

std::int32_t strictInt32(const QString& text) {
    return strictWhole<std::int32_t>(text);
}
std::int16_t strictInt16(const QString& text) {
    return strictWhole<std::int16_t>(text);
}

std::int32_t dayNumber(const QDate& date) {
    return static_cast<std::int32_t>(kDayZero.daysTo(date));
}
QDate dateOfDayNumber(std::int32_t dayNumber) {
    return kDayZero.addDays(dayNumber);
}

} // namespace Numbers
