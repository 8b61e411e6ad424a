// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// GCIDE writes every letter outside ASCII as bracketed markup: ['e] for é, ["o] for ö, [ae] for æ, [aum] for ä.
class GcideMarkup {
public:
    struct Letter {
        std::string text;  // the letter in UTF-8
        std::string plain; // the ASCII letters the dictd headword line shows for it: "e", "ae", "aum"
    };

    // The letter that the markup between the brackets stands for; nothing when it is no letter we know.
    static std::optional<Letter> letter(std::string_view inner);

    // The length of a markup token starting at text[pos] ('['), brackets included; 0 when there is none.
    static std::size_t tokenLength(std::string_view text, std::size_t pos);

    // The text with every markup token replaced by its letter; nothing when a token is unknown.
    static std::optional<std::string> decode(std::string_view text);
};
