// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One GCIDE division as it stands between backslashes (A*lec`try*om'a*chy, Ad"am's ap"ple, Ab"b['e]`), read into
// the spelling it shows and the same spelling with "*" at every syllable boundary inside a word.
//
// GCIDE marks boundaries with '"' and '`' (stress) and '*'. An apostrophe is a stress mark too, unless it belongs
// to the word; the data itself tells them apart:
//  - at the start of a word ('Twixt) or after a word's first letter (d'arc, L'envoi, o'clock): the word's;
//  - followed by the clitic that ends the word ('s, n't, 'll, 've, e'er, Ma'am, Young'un): the word's;
//  - directly followed by another mark (Ha'"pen*ny): the word's, the other mark is the boundary;
//  - between two letters otherwise: a stress mark when the letters on each side up to the next mark make one
//    syllable each (om'a, Fron'ta, Fruit'y), else the word's (nor'easter, mu'adhdhin, fo'c'sle);
//  - at the end of a word: the word's after an s (Achilles', Fools') or in a word without other marks (Thro',
//    highfalutin'), else a stress mark (Fri"seur').
// A stress apostrophe is a primary stress in a word without a '"' (A*lec`try*om'a*chy, Fruit'y), where it is the
// word's first, else a secondary one (Xy*la'ri*a"ce*ae, Guel"der*rose', Fres'nel'): so these give a word one
// primary stress.
class GcideDivision {
public:
    static GcideDivision parse(std::string_view raw);

    // False when the division holds a character that has no place in a spelling (a stray '/', unknown markup).
    bool valid() const { return m_valid; }
    // The spelling: letters decoded, marks removed, blanks, hyphens and the word's own apostrophes kept.
    const std::string& word() const { return m_word; }
    // The spelling with '*' at every syllable boundary inside a word.
    const std::string& division() const { return m_division; }
    // The spelling with GCIDE's own marks at every boundary inside a word and after a stressed last syllable:
    // '"' after a syllable of primary stress, '`' after one of secondary stress (a stress apostrophe counts as
    // either, see above), '*' after an unstressed one: Ba"by, Ba*bool", and A*lec`try*om"a*chy from
    // A*lec`try*om'a*chy.
    const std::string& stressed() const { return m_stressed; }
    // Its letters and digits in ASCII, as the dictd headword line shows them; for comparing with that line.
    const std::string& letters() const { return m_letters; }
    // True when GCIDE marked at least one stress or syllable boundary.
    bool marked() const { return m_marked; }

private:
    enum class Kind { Letter, Mark, Apostrophe, Blank, Hyphen, Punctuation };
    struct Unit {
        Kind kind;
        std::string text;
        std::string plain;
        bool stress = false; // an apostrophe used as a stress mark
        char level = 0;      // the mark it stands for: '"' or '`'
    };
    using Units = std::vector<Unit>;

    static bool tokenize(std::string_view raw, Units& units);
    static void normalizeBlanks(Units& units);
    static void classifyApostrophes(Units& units);
    static void classifyWord(Units& units, std::size_t begin, std::size_t end);
    static bool internalIsStress(const Units& units, std::size_t begin, std::size_t end, std::size_t at);
    static bool slashesValid(const Units& units);
    void emit(const Units& units);

    bool m_valid = false;
    std::string m_word;
    std::string m_division;
    std::string m_stressed;
    std::string m_letters;
    bool m_marked = false;
};
