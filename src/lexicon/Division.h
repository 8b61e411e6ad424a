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

// The syllables spoken in a split text: the pieces between middle dots (empty pieces counted), a hyphen between two
// letters parting syllables too ("well-be·ing" has three), and one more for every syllable that a consonant makes
// without a vowel letter: a piece ending in -sm, -thm (and -sms, -thms, -sm's, ...) after a vowel is spoken with a
// syllable of its own ("rhythm" two, "crit·i·cism" four, "en·thu·si·asm" five). 0 for the empty text.
int countSyllables(QStringView splitText);

// The pieces of a split text: what countSyllables counts before the spoken syllables without a vowel letter.
int countPieces(QStringView splitText);

// The division with every piece that holds no vowel letter joined to the piece before it in its word ("cap*i*tal*is*m"
// becomes "cap*i*tal*ism"), or to the one after when it is the first. Pieces with an apostrophe (could*n't) and
// capitals spelt out letter by letter (M*A*S*H) stay as they are.
void joinVowellessPieces(QString& division, QString* stress = nullptr);

// The split text with the stress marks modern dictionaries print: "ˈ" (U+02C8) before the syllable of primary
// stress, "ˌ" (U+02CC) before one of secondary stress ("ˈba·by", "ˌdem·on·ˈstra·tion", "New ˈHamp·shire"). A word
// of one syllable gets no mark. The stress has a character a syllable ('1', '2', '0'); when it does not fit the
// division, the split text without marks.
QString stressedSplitText(QStringView division, QStringView stress);
inline constexpr QChar kPrimaryStress = QChar(0x02C8);
inline constexpr QChar kSecondaryStress = QChar(0x02CC);

// The division laid onto the word as the user wrote it: the dictionary's boundaries between the user's letters, in
// the user's case and with the user's accents or none (cooperate is co*op*er*ate, though the dictionary writes
// Co*öp*er*ate; Caesar is Cae*sar, not Cæ*sar). The division itself when the two do not spell the same key.
QString onto(QStringView division, QStringView word);

// The vowel groups of a key (runs of a, e, i, o, u, y), a silent ending not counted when another group comes
// before it (a final e after a consonant, -gue, -es and -ed where they are not spoken): "cat" 1, "cake" 1,
// "plague" 1, "knives" 1, "loved" 1, "pages" 2, "wanted" 2, "idea" 2. A y before a vowel ends its group, so the
// vowel starts another ("pay·ing", "buy·ing", "be·yond"), unless the y starts the word ("yes"); a consonant with
// "le" or "re" at the end is a syllable of its own ("han·dle", "han·dled", "mar·bles", "a·cre"). A rule of thumb,
// for words the dictionary does not divide.
int vowelGroups(QStringView key);

// True when the text holds a vowel letter (a, e, i, o, u, y) in either case.
bool hasVowel(QStringView text);

// True when every word of a key (parts between blanks and hyphens) has at most one vowel group: such a key needs
// no boundary mark to be divided: "cat", "New York", "x-ray".
bool needsNoMark(QStringView key);

// The number of syllables the division marks: boundaries, blanks and inner hyphens, plus one; 0 for no letters.
int markedSyllables(QStringView division);

} // namespace Division
