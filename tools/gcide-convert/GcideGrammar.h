// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The grammar part that follows a GCIDE spelling: its part-of-speech label and the inflected forms listed in
// braces.
//     , n.; pl. {Babies} (-b[i^]z). [Dim. of babe.] ...                -> "n.", Babies
//     , v. t. [imp. & p. p. {Babied} (...); p. pr. & vb. n. {Babying}.] -> "v. t.", Babied, Babying
//     , a. [Compar. {Angrier}; superl. {Angriest}.]                   -> "a.", Angrier, Angriest
// Reading stops at the first thing that is not grammar (an etymology, a definition, "of {Word}", the next
// spelling), so braces in the definitions are never taken for forms.
class GcideGrammar {
public:
    struct Part {
        std::string label;
        std::vector<std::string> forms;
    };

    static Part read(std::string_view text);

private:
    class Reader;
};
