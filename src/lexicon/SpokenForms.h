// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Words that are not written as they are spoken: numbers, letters read one by one, written abbreviations. Each
// reading is a division in the dictionary's own form (see Division.h): "*" between syllables, a blank between
// words, a hyphen where the words are hyphenated ("six*ty-six", "nine*teen nine*ty"). The number words and the
// words an abbreviation stands for are divided as the dictionary divides them ("eight*y", "pro*fess*or").
// Every function returns an empty string for a word that is not of its kind, never throws, and allocates nothing
// but its result.
namespace SpokenForms {

// True when the word holds an ASCII digit: only such a word can be a number.
bool hasDigit(QStringView word);

// A number read aloud, American style without "and". Empty for anything else.
// - Cardinals: ASCII digits, optionally in thousands groups with commas ("1,000", "12,345,678"; not "1,00",
//   "12,3456", "1,000,00"), from 0 to 999,999,999,999: "0" zero, "66" six*ty-six, "101" one hun*dred one,
//   "2,500,000" two mil*lion five hun*dred thou*sand. A leading zero ("007") or more digits are no number.
// - Years: four digits without a comma from 1000 to 2099. 1000 and 2000-2009 are read in thousands ("one
//   thou*sand", "two thou*sand five"); the others in two halves: "1066" ten six*ty-six, "1990" nine*teen
//   nine*ty, "1900" nine*teen hun*dred, "1905" nine*teen oh five, "2010" twen*ty ten, "2024" twen*ty
//   twen*ty-four. Other four-digit runs ("4096") and any run with a comma ("1,990") are cardinals.
// - Decades: a year or a two-digit number ending in 0, followed by "s" in either case (or "'s", "’s"); the
//   two-digit form may stand after an apostrophe (' or ’): "1980s" nine*teen eight*ies, "1900s" nine*teen
//   hun*dreds, "2000s" two thou*sands, "1910s" nine*teen tens, "'80s" eight*ies, "20s" twen*ties.
// - Ordinals: a cardinal with its own suffix, the suffix in any letter case ("1st", "2ND", "11th", "21st",
//   "1,000th"; not "1nd", "11st"): "2nd" sec*ond, "21st" twen*ty-first, "100th" one hun*dredth, "0th" ze*roth.
//   Ordinals are never read as years: "1990th" is one thou*sand nine hun*dred nine*ti*eth.
// Nothing else with digits is a number: "3.14", "4x4", "1-2", "A4", "'1980s", "100s", digits of other scripts.
QString number(QStringView word);

// A word read letter by letter: 1 to 8 ASCII letters in any case, each one syllable as the user wrote it ("F*B*I",
// "T*V", "a"). W, whose name has three syllables, is spelt out ("dou*ble-u") and set off by a blank from the
// letters around it: "WWW" dou*ble-u dou*ble-u dou*ble-u, "WHO" dou*ble-u H*O, "AWS" A dou*ble-u S. Empty for
// anything else. Whether a word is read as letters is the caller's choice.
QString letters(QStringView word);

// True for 2 to 6 capitals (ASCII) that are read letter by letter rather than as a word: three letters or fewer
// (FBI, USA, CEO), or letters that do not make an English-sounding word: no vowel (HTML, TV), or a start, an
// inside or an end no English word has (NCAA, NAACP, USSR). NASA, UNESCO, OPEC and FIFA read as words. The
// caller asks this only of words the dictionary does not list (AIDS is the word aids).
bool isInitialism(QStringView word);

// What letters() reads of a word the dictionary does not list that is letters all the same: an initialism with a
// plural or possessive s ("IDs" I*Ds, "TV's" T*V's, "URLs"), or 2 to 6 ASCII letters without a vowel letter ("fsck"
// f*s*c*k, "pwd"). Empty for other words.
QString lettersWithEnding(QStringView word);

// True for one word of letters() reading: letters one a syllable (F*B*I, T*V), not a spelt-out W (dou*ble).
bool isLetterRun(QStringView division);

// A common written abbreviation read as the word it stands for: "Mr" Mis*ter, "Dr" Doc*tor, "vs" ver*sus,
// "etc" et cet*e*ra, "Feb" Feb*ru*a*ry. A title or a word is matched with its first letter in either case ("Mr",
// "mr", "Vs"), the spoken word taking a capital when the abbreviation has one. Month names ("Feb", "Oct", "Dec")
// and the abbreviations whose lower-case form is a word of its own ("Prof" not "prof", "Gov" not "gov") are
// matched only as written. All capitals ("MR", "DR", "ETC") never match: such words are more likely initialisms.
// The abbreviation is taken without its full stop. Empty for anything else.
QString abbreviation(QStringView word);

} // namespace SpokenForms
