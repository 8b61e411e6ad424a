// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// A division as the data files write it, with the dictionary's stress marks where it has them: '"' after a
// syllable of primary stress and '`' after one of secondary stress, standing where a boundary "*" would stand or
// after a word's last syllable ("Dem`on*stra\"tion", "Re*cord\"", "Rec\"ord", "Ba\"by farm").
//
// The stress of a division is one character per syllable: '1' primary, '2' secondary, '0' none. Its syllables are
// the pieces Division::markedSyllables counts (between "*", blanks, and hyphens between two letters), so the
// stress always has that many characters; it is empty when the dictionary marks no stress.
namespace StressMarks {

inline constexpr QChar kPrimary = QLatin1Char('"');
inline constexpr QChar kSecondary = QLatin1Char('`');
inline constexpr QChar kStressed = QLatin1Char('1');
inline constexpr QChar kSecondaryStress = QLatin1Char('2');
inline constexpr QChar kUnstressed = QLatin1Char('0');

// What a division's character at this place is: no boundary, a boundary inside a word ("*"), or one between
// words (a blank, a middle dot, a hyphen between two letters). Both start a syllable, as Division counts them.
enum class Boundary { None, Syllable, Word };
Boundary boundaryAt(QStringView division, qsizetype at);

// True when the text holds a stress mark.
bool has(QStringView marked);

// Reads a division with stress marks into the division as it is divided ("*" for a mark inside a word, nothing
// for a mark after a word's last syllable) and its stress, written into the caller's buffers (which only grow: a
// caller that keeps them reads many divisions without allocating) and seen through the views. False, with both views
// empty, when a mark follows no syllable (at the start, after a blank, a hyphen, a "*" or another mark).
using Buffer = QVarLengthArray<QChar, 128>;
struct Read {
    QStringView division;
    QStringView stress;
};
bool read(QStringView marked, Buffer& division, Buffer& stress, Read* read);

} // namespace StressMarks
