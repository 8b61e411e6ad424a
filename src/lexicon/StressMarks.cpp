// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/StressMarks.h"

#include "lexicon/Division.h"

#include <QVarLengthArray>

namespace StressMarks {
namespace {

// What a syllable ends with before a mark: a letter, a digit or the word's own apostrophe.
bool endsASyllable(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('\'');
}

bool isWordLetter(QChar c) {
    return c.isLetter() || c == QLatin1Char('\'');
}

struct Mark {
    qsizetype at; // the length of the division when the mark was read
    QChar level;
};

} // namespace

Boundary boundaryAt(QStringView division, qsizetype at) {
    const QChar c = division[at];
    if (c == Division::kMark)
        return Boundary::Syllable;
    if (c == QLatin1Char(' ') || c == Division::kMiddleDot)
        return Boundary::Word;
    return c == QLatin1Char('-') && at > 0 && at + 1 < division.size() && isWordLetter(division[at - 1]) &&
                   isWordLetter(division[at + 1])
               ? Boundary::Word
               : Boundary::None;
}

bool has(QStringView marked) {
    for (const QChar c : marked)
        if (c == kPrimary || c == kSecondary)
            return true;
    return false;
}

bool read(QStringView marked, QString* division, QString* stress) {
    // 1. The division, and where each mark stood in it.
    QString plain;
    plain.reserve(marked.size());
    QVarLengthArray<Mark, 8> marks;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        const QChar c = marked[i];
        if (c != kPrimary && c != kSecondary) {
            plain += c;
            continue;
        }
        if (plain.isEmpty() || !endsASyllable(plain.back()) ||
            (i > 0 && (marked[i - 1] == kPrimary || marked[i - 1] == kSecondary)))
            return false;
        marks.append({plain.size(), c == kPrimary ? kStressed : kSecondaryStress});
        if (i + 1 < marked.size() && endsASyllable(marked[i + 1]))
            plain += Division::kMark;
    }
    // 2. One character a syllable; a mark belongs to the syllable it follows.
    QString levels;
    if (!marks.isEmpty() && Division::markedSyllables(plain) > 0) {
        levels.fill(kUnstressed, Division::markedSyllables(plain));
        qsizetype piece = 0;
        qsizetype at = 0;
        for (const Mark& mark : marks) {
            for (; at < mark.at; ++at)
                piece += boundaryAt(plain, at) != Boundary::None ? 1 : 0;
            if (levels[piece] != kStressed)
                levels[piece] = mark.level;
        }
    }
    *division = std::move(plain);
    *stress = std::move(levels);
    return true;
}

} // namespace StressMarks
