// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Reads a dictionary answer as plain text: is the word there, and what is its first headword, split into
// syllables with middle dots (and, where its pronunciation says, with stress marks).
namespace HeadwordExtraction {

inline const QChar kMiddleDot = QChar(0x00B7);

struct Result {
    bool found = false;
    QString splitText; // ba·by
    int syllables = 0;
    // ˈba·by: the split text with the stress marks of the entry's pronunciation (its <pr> element, as ˈbā-bē), when
    // it has one whose syllables are the headword's; empty otherwise (the row never shows a guessed stress).
    QString stressedText;
    int failedStep = 0; // the step of the splitting run at which a found answer turned out malformed; 0 if none
    QString failure;    // what went wrong there
};

// The found test: "<entry id=" + a double quote + the trimmed word occurs anywhere, in any letter case.
bool isFound(const QString& answer, const QString& word);

// The syllables of a split text: the pieces between middle dots, empty pieces counted, and a hyphen between two
// letters parts syllables too (well-be·ing has three); 0 for the empty text.
int countSyllables(const QString& splitText);

// The whole extraction for one answer. A found answer without a complete headword element is reported
// through failedStep/failure and counts as not found.
Result extract(const QString& answer, const QString& word);

// The stress of a pronunciation as the service writes it ("ˈbā-bē", "ˌde-mən-ˈstrā-shən"): a character a syllable,
// '1' after ˈ, '2' after ˌ (or "(ˌ)"), '0' otherwise; syllables are parted by hyphens and blanks, and only the first
// of several pronunciations (parted by commas or semicolons) is read.
QString stressOfPronunciation(QStringView pronunciation);

} // namespace HeadwordExtraction
