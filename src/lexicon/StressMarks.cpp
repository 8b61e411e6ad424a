// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/StressMarks.h"

#include "lexicon/Division.h"

namespace StressMarks {
namespace {

// What a syllable ends with before a mark: a letter, a digit or the word's own apostrophe.
bool endsASyllable(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('\'');
}

bool isWordLetter(QChar c) {
    return c.isLetter() || c == QLatin1Char('\'');
}

bool isMark(QChar c) {
    return c == kPrimary || c == kSecondary;
}

// The boundary a character of a division makes, given the characters on each side (a null QChar at an end).
Boundary boundaryOf(QChar c, QChar before, QChar after) {
    if (c == Division::kMark)
        return Boundary::Syllable;
    if (c == QLatin1Char(' ') || c == Division::kMiddleDot)
        return Boundary::Word;
    return c == QLatin1Char('-') && isWordLetter(before) && isWordLetter(after) ? Boundary::Word : Boundary::None;
}

} // namespace

Boundary boundaryAt(QStringView division, qsizetype at) {
    return boundaryOf(division[at], at > 0 ? division[at - 1] : QChar(),
                      at + 1 < division.size() ? division[at + 1] : QChar());
}

bool has(QStringView marked) {
    for (const QChar c : marked)
        if (isMark(c))
            return true;
    return false;
}

bool read(QStringView marked, Buffer& division, Buffer& stress, Read* read) {
    // One pass. A division has at most one character for each of the text's, and a syllable more than boundaries.
    const qsizetype size = marked.size();
    if (division.size() < size)
        division.resize(size);
    if (stress.size() < size + 1)
        stress.resize(size + 1);
    QChar* out = division.data();
    QChar* level = stress.data();
    qsizetype length = 0;
    qsizetype piece = 0;
    bool anyMark = false;
    bool anyLetter = false;
    level[0] = kUnstressed;
    *read = {};
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = marked[i];
        const QChar after = i + 1 < size ? marked[i + 1] : QChar();
        if (!isMark(c)) {
            anyLetter = anyLetter || c.isLetter();
            if (boundaryOf(c, length > 0 ? out[length - 1] : QChar(), after) != Boundary::None)
                level[++piece] = kUnstressed;
            out[length++] = c;
            continue;
        }
        // A mark belongs to the syllable it follows; a primary stress stays where a secondary mark follows too.
        if (length == 0 || !endsASyllable(out[length - 1]) || isMark(marked[i - 1]))
            return false;
        anyMark = true;
        level[piece] = level[piece] == kStressed ? kStressed : (c == kPrimary ? kStressed : kSecondaryStress);
        if (endsASyllable(after)) {
            out[length++] = Division::kMark;
            level[++piece] = kUnstressed;
        }
    }
    read->division = QStringView(out, length);
    read->stress = QStringView(level, anyMark && anyLetter ? piece + 1 : 0);
    return true;
}

} // namespace StressMarks
