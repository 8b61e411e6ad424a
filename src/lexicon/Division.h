// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// A division is a word with "*" at every syllable boundary inside a word ("ba*by", "New Hamp*shire",
// "well-be*ing"): the built-in dictionary's own form. What the user sees is its split text, with a middle dot
// at every boundary and between words ("ba·by", "New·Hamp·shire").
namespace Division {

inline constexpr QChar kMark = QLatin1Char('*');
inline constexpr QChar kMiddleDot = QChar(0x00B7);

// The split text of a division: every "*" and every blank becomes a middle dot.
QString splitText(QStringView division);

// The syllables of a split text: the pieces between middle dots (empty pieces counted), and a hyphen between two
// letters parts syllables too ("well-be·ing" has three). 0 for the empty text.
int countSyllables(QStringView splitText);

// The division laid onto the word as the user wrote it: the user's letter case, the dictionary's accented letters
// (in the user's case) and boundaries. The division itself when the two do not spell the same key.
QString onto(QStringView division, QStringView word);

// The vowel groups of a key (runs of a, e, i, o, u, y), a silent ending not counted when another group comes
// before it (a final e after a consonant, -gue, -es and -ed where they are not spoken): "cat" 1, "cake" 1,
// "plague" 1, "knives" 1, "loved" 1, "pages" 2, "wanted" 2, "idea" 2. A rule of thumb, for words the dictionary
// does not divide.
int vowelGroups(QStringView key);

// True when the text holds a vowel letter (a, e, i, o, u, y) in either case.
bool hasVowel(QStringView text);

// True when every word of a key (parts between blanks and hyphens) has at most one vowel group: such a key needs
// no boundary mark to be divided: "cat", "New York", "x-ray".
bool needsNoMark(QStringView key);

// The number of syllables the division marks: boundaries, blanks and inner hyphens, plus one; 0 for no letters.
int markedSyllables(QStringView division);

} // namespace Division
