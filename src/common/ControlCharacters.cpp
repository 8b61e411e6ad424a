// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ControlCharacters.h"

#include <algorithm>

namespace ControlCharacters {

bool isControl(char16_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return true;
    return c == 0x061C || c == 0x200E || c == 0x200F || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

QString replaced(const QString& text) {
    const auto control = [](QChar c) { return isControl(c.unicode()); };
    if (std::none_of(text.cbegin(), text.cend(), control))
        return text;
    QString clean = text;
    std::replace_if(clean.begin(), clean.end(), control, QChar(kReplacement));
    return clean;
}

} // namespace ControlCharacters
