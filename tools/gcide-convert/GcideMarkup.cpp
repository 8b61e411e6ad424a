// SPDX-License-Identifier: GPL-3.0-or-later
#include "GcideMarkup.h"

#include <array>

namespace {

struct MarkupLetter {
    std::string_view markup;
    std::string_view text;
    std::string_view plain;
};

// Every letter markup found in the headwords and divisions of GCIDE 0.48, and the like letters a later
// version may bring (the accents on the other vowels).
constexpr std::array kLetters{
    MarkupLetter{"'a", "á", "a"},  MarkupLetter{"'e", "é", "e"},  MarkupLetter{"'i", "í", "i"},
    MarkupLetter{"'o", "ó", "o"},  MarkupLetter{"'u", "ú", "u"},  MarkupLetter{"'y", "ý", "y"},
    MarkupLetter{"'A", "Á", "A"},  MarkupLetter{"'E", "É", "E"},  MarkupLetter{"'I", "Í", "I"},
    MarkupLetter{"'O", "Ó", "O"},  MarkupLetter{"'U", "Ú", "U"},  MarkupLetter{"`a", "à", "a"},
    MarkupLetter{"`e", "è", "e"},  MarkupLetter{"`i", "ì", "i"},  MarkupLetter{"`o", "ò", "o"},
    MarkupLetter{"`u", "ù", "u"},  MarkupLetter{"`A", "À", "A"},  MarkupLetter{"`E", "È", "E"},
    MarkupLetter{"^a", "â", "a"},  MarkupLetter{"^e", "ê", "e"},  MarkupLetter{"^i", "î", "i"},
    MarkupLetter{"^o", "ô", "o"},  MarkupLetter{"^u", "û", "u"},  MarkupLetter{"^A", "Â", "A"},
    MarkupLetter{"^E", "Ê", "E"},  MarkupLetter{"^O", "Ô", "O"},  MarkupLetter{"\"a", "ä", "a"},
    MarkupLetter{"\"e", "ë", "e"}, MarkupLetter{"\"i", "ï", "i"}, MarkupLetter{"\"o", "ö", "o"},
    MarkupLetter{"\"u", "ü", "u"}, MarkupLetter{"\"y", "ÿ", "y"}, MarkupLetter{"\"A", "Ä", "A"},
    MarkupLetter{"\"E", "Ë", "E"}, MarkupLetter{"\"I", "Ï", "I"}, MarkupLetter{"\"O", "Ö", "O"},
    MarkupLetter{"\"U", "Ü", "U"}, MarkupLetter{"~a", "ã", "a"},  MarkupLetter{"~n", "ñ", "n"},
    MarkupLetter{"~o", "õ", "o"},  MarkupLetter{"~N", "Ñ", "N"},  MarkupLetter{",c", "ç", "c"},
    MarkupLetter{",C", "Ç", "C"},  MarkupLetter{"ae", "æ", "ae"}, MarkupLetter{"AE", "Æ", "AE"},
    MarkupLetter{"oe", "œ", "oe"}, MarkupLetter{"OE", "Œ", "OE"}, MarkupLetter{"aum", "ä", "aum"},
};

constexpr std::size_t kLongestMarkup = 4;

} // namespace

std::optional<GcideMarkup::Letter> GcideMarkup::letter(std::string_view inner) {
    for (const MarkupLetter& known : kLetters) {
        if (known.markup == inner)
            return Letter{std::string(known.text), std::string(known.plain)};
    }
    return std::nullopt;
}

std::size_t GcideMarkup::tokenLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || text[pos] != '[')
        return 0;
    const std::size_t close = text.find(']', pos + 1);
    if (close == std::string_view::npos || close == pos + 1 || close - pos - 1 > kLongestMarkup)
        return 0;
    for (std::size_t i = pos + 1; i < close; ++i) {
        if (text[i] == ' ' || text[i] == '[')
            return 0;
    }
    return close - pos + 1;
}

std::optional<std::string> GcideMarkup::decode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] != '[') {
            out += text[pos++];
            continue;
        }
        const std::size_t length = tokenLength(text, pos);
        const auto decoded = length ? letter(text.substr(pos + 1, length - 2)) : std::nullopt;
        if (!decoded)
            return std::nullopt;
        out += decoded->text;
        pos += length;
    }
    return out;
}
