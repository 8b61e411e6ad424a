// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the settings store holds them: every text is read, leniently or strictly, without a fault; a
// strict reading is a number or Type mismatch or Overflow; day numbers and dates go back and forth.

#include "FuzzCheck.h"

#include "common/AppError.h"
#include "common/Numbers.h"
#include "common/TextCodec.h"

#include <cstring>
#include <limits>

namespace {

// The strict readings of the text agree: a 16-bit reading is the 32-bit one when that fits in 16 bits.
void strictReadings(const QString& text) {
    std::int32_t wide = 0;
    try {
        wide = Numbers::strictInt32(text);
    } catch (const AppError& error) {
        fuzzCheck(error.number() == AppError::TypeMismatch || error.number() == AppError::Overflow,
                  "a strict reading fails only with Type mismatch or Overflow");
        return;
    }
    fuzzCheck(Numbers::strictInt32(QString::number(wide)) == wide, "a number read strictly reads back the same");
    const bool fits =
        wide >= std::numeric_limits<std::int16_t>::min() && wide <= std::numeric_limits<std::int16_t>::max();
    try {
        const std::int16_t narrow = Numbers::strictInt16(text);
        fuzzCheck(fits && narrow == wide, "a 16-bit reading is the 32-bit one");
    } catch (const AppError& error) {
        fuzzCheck(!fits && error.number() == AppError::Overflow, "a 16-bit reading overflows only past 16 bits");
    }
}

void dayNumbers(QByteArrayView bytes) {
    std::int32_t day = 0;
    std::memcpy(&day, bytes.data(), std::min<std::size_t>(sizeof day, static_cast<std::size_t>(bytes.size())));
    const QDate date = Numbers::dateOfDayNumber(day);
    if (date.isValid())
        fuzzCheck(Numbers::dayNumber(date) == day, "a day number's date gives the day number back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes = fuzzBytes(data, size);
    const QString text = TextCodec::decodeText(bytes);
    [[maybe_unused]] const double lenient = Numbers::lenientNumber(text);
    strictReadings(text);
    dayNumbers(bytes);
    return 0;
}
