// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The head of one GCIDE entry: one or more spellings, each a headword with its division between backslashes,
// followed by the grammar part.
//     Babul \Ba*bul"\, Babool \Ba*bool"\, n. [See {Bablah}.] (Bot.) ...
//     Archeology \Ar`che*ol"o*gy\, n., Archeological \Ar`che*o*log`ic*al\, a.
// A spelling without a label of its own shares the label and forms of the next one that has them (Babul, Babool:
// n.); a spelling after the last label ("... Also Jibb \Jibb\") keeps the label before it.
class GcideHead {
public:
    struct Spelling {
        std::string word;     // the spelling, character markup decoded
        std::string division; // with '*' at each syllable boundary; equal to word when GCIDE marks none
        std::string stressed; // with GCIDE's own marks (see GcideDivision::stressed); equal to word when none
        std::string label;    // "n.", "v. t."; empty when GCIDE gives none
        std::vector<std::string> forms;
        bool marked = false; // GCIDE marked at least one stress or syllable boundary
    };
    struct Result {
        std::vector<Spelling> spellings;
        int mismatchesKept = 0;    // division faulty: headword kept, unmarked
        int mismatchesDropped = 0; // division faulty and no headword to keep
    };

    static Result parse(std::string_view head);

private:
    static std::string matchingHeadword(std::string_view before, const std::string& letters);
    static bool plausibleHeadword(std::string_view text);
    static void shareLabels(std::vector<Spelling>& spellings, std::vector<bool>& ownGrammar);
};
