// SPDX-License-Identifier: GPL-3.0-or-later
#include "GcideDivision.h"

#include "GcideMarkup.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

bool isVowel(char c) {
    switch (std::tolower(static_cast<unsigned char>(c))) {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
    case 'y':
        return true;
    default:
        return false;
    }
}

int vowelGroups(const std::string& letters) {
    int groups = 0;
    bool inVowel = false;
    for (char c : letters) {
        const bool vowel = isVowel(c);
        if (vowel && !inVowel)
            ++groups;
        inVowel = vowel;
    }
    return groups;
}

// Endings after an apostrophe that make the apostrophe part of the word.
constexpr std::string_view kClitics[] = {"s", "d", "m", "t", "n", "ll", "ve", "re", "er", "en", "em", "un", "am"};

bool isClitic(const std::string& ending) {
    return std::find(std::begin(kClitics), std::end(kClitics), ending) != std::end(kClitics);
}

} // namespace

GcideDivision GcideDivision::parse(std::string_view raw) {
    GcideDivision division;
    Units units;
    // 1. Letters, marks and separators; unknown characters make the division invalid (its letters still count).
    const bool known = tokenize(raw, units);
    // 2. One blank between words, none at the ends.
    normalizeBlanks(units);
    // 3. Each apostrophe: the word's own, or a stress mark.
    classifyApostrophes(units);
    // 4. The spelling, the division and the letters.
    division.emit(units);
    division.m_valid = known && slashesValid(units) && !division.m_letters.empty();
    return division;
}

bool GcideDivision::tokenize(std::string_view raw, Units& units) {
    bool known = true;
    for (std::size_t pos = 0; pos < raw.size();) {
        const char c = raw[pos];
        if (c == '[') {
            const std::size_t length = GcideMarkup::tokenLength(raw, pos);
            const auto letter = length ? GcideMarkup::letter(raw.substr(pos + 1, length - 2)) : std::nullopt;
            if (letter) {
                units.push_back({Kind::Letter, letter->text, letter->plain});
                pos += length;
                continue;
            }
            known = false;
            pos += length > 0 ? length - 1 : 0;
        } else if (std::isalnum(static_cast<unsigned char>(c))) {
            units.push_back({Kind::Letter, std::string(1, c), std::string(1, c)});
        } else if (c == '"' || c == '`' || c == '*') {
            units.push_back({Kind::Mark, std::string(1, c), {}});
        } else if (c == '\'') {
            units.push_back({Kind::Apostrophe, "'", {}});
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            units.push_back({Kind::Blank, " ", {}});
        } else if (c == '-') {
            units.push_back({Kind::Hyphen, "-", {}});
        } else if (std::string_view(".,()&+/").find(c) != std::string_view::npos) {
            units.push_back({Kind::Punctuation, std::string(1, c), {}});
        } else {
            known = false;
        }
        ++pos;
    }
    return known;
}

void GcideDivision::normalizeBlanks(Units& units) {
    auto isText = [](const Unit& u) { return u.kind != Kind::Blank && u.kind != Kind::Mark; };
    const auto lastText = std::find_if(units.rbegin(), units.rend(), isText);
    const std::size_t textEnd = static_cast<std::size_t>(units.rend() - lastText);
    Units kept;
    kept.reserve(units.size());
    bool textSeen = false;
    bool blankPending = false; // a blank kept since the last text
    for (std::size_t i = 0; i < units.size(); ++i) {
        Unit& unit = units[i];
        if (unit.kind == Kind::Blank) {
            if (!textSeen || i >= textEnd || blankPending)
                continue;
            blankPending = true;
        } else if (isText(unit)) {
            textSeen = true;
            blankPending = false;
        }
        kept.push_back(std::move(unit));
    }
    units = std::move(kept);
}

void GcideDivision::classifyApostrophes(Units& units) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= units.size(); ++i) {
        if (i == units.size() || units[i].kind == Kind::Blank || units[i].kind == Kind::Hyphen) {
            classifyWord(units, begin, i);
            begin = i + 1;
        }
    }
}

void GcideDivision::classifyWord(Units& units, std::size_t begin, std::size_t end) {
    auto lettersIn = [&](std::size_t from, std::size_t to) {
        return std::any_of(units.begin() + static_cast<std::ptrdiff_t>(from),
                           units.begin() + static_cast<std::ptrdiff_t>(to),
                           [](const Unit& u) { return u.kind == Kind::Letter; });
    };
    // Between two letters first: a word's final apostrophe depends on whether the word has other marks.
    for (std::size_t i = begin; i < end; ++i) {
        if (units[i].kind == Kind::Apostrophe && lettersIn(begin, i) && lettersIn(i + 1, end))
            units[i].stress = internalIsStress(units, begin, end, i);
    }
    const bool otherMarks = std::any_of(units.begin() + static_cast<std::ptrdiff_t>(begin),
                                        units.begin() + static_cast<std::ptrdiff_t>(end),
                                        [](const Unit& u) { return u.kind == Kind::Mark || u.stress; });
    for (std::size_t i = begin; i < end; ++i) {
        if (units[i].kind != Kind::Apostrophe || !lettersIn(begin, i) || lettersIn(i + 1, end))
            continue;
        std::size_t before = i;
        while (before > begin && units[before - 1].kind != Kind::Letter)
            --before;
        const bool afterS = before > begin && (units[before - 1].plain == "s" || units[before - 1].plain == "S");
        units[i].stress = !afterS && otherMarks;
    }
    // A stress apostrophe is secondary where the word has a primary mark already.
    bool primary = std::any_of(units.begin() + static_cast<std::ptrdiff_t>(begin),
                               units.begin() + static_cast<std::ptrdiff_t>(end),
                               [](const Unit& u) { return u.kind == Kind::Mark && u.text == "\""; });
    for (std::size_t i = begin; i < end; ++i) {
        if (units[i].stress) {
            units[i].level = primary ? '`' : '"';
            primary = true;
        }
    }
}

bool GcideDivision::internalIsStress(const Units& units, std::size_t begin, std::size_t end, std::size_t at) {
    // 1. Directly followed by a mark: that mark is the boundary, the apostrophe is the word's (Ha'"pen*ny).
    if (units[at + 1].kind == Kind::Mark)
        return false;
    // 2. A clitic ends the word (Adam's, Ain't, e'er, Ma'am).
    std::string ending;
    for (std::size_t i = at + 1; i < end; ++i) {
        if (units[i].kind == Kind::Letter)
            ending += static_cast<char>(std::tolower(static_cast<unsigned char>(units[i].plain[0])));
        else if (units[i].kind == Kind::Apostrophe)
            ending += '\'';
    }
    if (isClitic(ending))
        return false;
    // 3. Elision after the word's first letter (d'arc, T'other, o'clock).
    const auto lettersBefore = std::count_if(units.begin() + static_cast<std::ptrdiff_t>(begin),
                                             units.begin() + static_cast<std::ptrdiff_t>(at),
                                             [](const Unit& u) { return u.kind == Kind::Letter; });
    if (lettersBefore == 1)
        return false;
    // 4. A stress mark stands between syllables: one vowel group on each side up to the next mark.
    std::string left;
    for (std::size_t i = at; i > begin && units[i - 1].kind == Kind::Letter; --i)
        left.insert(0, units[i - 1].plain);
    std::string right;
    for (std::size_t i = at + 1; i < end && units[i].kind == Kind::Letter; ++i)
        right += units[i].plain;
    return vowelGroups(left) == 1 && vowelGroups(right) == 1;
}

bool GcideDivision::slashesValid(const Units& units) {
    auto isDigit = [](const Unit& u) {
        return u.kind == Kind::Letter && std::isdigit(static_cast<unsigned char>(u.plain[0]));
    };
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i].text == "/" &&
            (i == 0 || i + 1 == units.size() || !isDigit(units[i - 1]) || !isDigit(units[i + 1])))
            return false;
    }
    return true;
}

void GcideDivision::emit(const Units& units) {
    bool afterWordCharacter = false;
    char mark = 0; // the boundary's mark since the last word character: '"' or '`' over '*'
    for (const Unit& unit : units) {
        if (unit.kind == Kind::Mark || unit.stress) {
            m_marked = true;
            const char kind = unit.kind == Kind::Mark ? unit.text[0] : unit.level;
            if (afterWordCharacter && (mark == 0 || mark == '*'))
                mark = kind;
            continue;
        }
        const bool wordCharacter = unit.kind == Kind::Letter || unit.kind == Kind::Apostrophe;
        if (wordCharacter && mark != 0) {
            m_division += '*';
            m_stressed += mark;
        } else if (mark == '"' || mark == '`') {
            m_stressed += mark; // a stressed last syllable
        }
        mark = 0;
        afterWordCharacter = wordCharacter;
        m_word += unit.text;
        m_division += unit.text;
        m_stressed += unit.text;
        m_letters += unit.plain;
    }
    if (mark == '"' || mark == '`')
        m_stressed += mark;
}
