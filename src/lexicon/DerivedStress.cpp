// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/DerivedStress.h"

#include "lexicon/Division.h"

#include <algorithm>

namespace DerivedStress {
namespace {

QString demoted(QStringView stress) {
    QString out = stress.toString();
    for (QChar& c : out) {
        if (c == u'1')
            c = u'2';
    }
    return out;
}

// The syllable (from 0) that holds letter number `letter` of a division; the last when there are fewer letters.
qsizetype syllableOfLetter(QStringView division, qsizetype letter) {
    qsizetype syllable = 0;
    for (qsizetype i = 0; i < division.size(); ++i) {
        const QChar c = division[i];
        const bool boundary =
            c == Division::kMark || c == u' ' ||
            (c == u'-' && i > 0 && i + 1 < division.size() && division[i - 1].isLetter() && division[i + 1].isLetter());
        if (boundary)
            ++syllable;
        else if (letter-- == 0)
            return syllable;
    }
    return syllable;
}

} // namespace

QString ofStem(QStringView stress, QStringView division) {
    if (stress.isEmpty() && Division::markedSyllables(division) == 1)
        return QStringLiteral("1");
    return stress.toString();
}

QString kept(QStringView stemStress, QStringView division) {
    if (stemStress.isEmpty())
        return {};
    const qsizetype syllables = Division::markedSyllables(division);
    QString out = stemStress.left(syllables).toString();
    if (out.size() < syllables)
        out += QString(syllables - out.size(), u'0');
    if (stemStress.contains(u'1') && !out.contains(u'1') && !out.isEmpty())
        out.back() = u'1';
    return out;
}

QString moved(QStringView stemStress, QStringView division, qsizetype letter) {
    QString out = kept(stemStress, division);
    if (out.isEmpty())
        return out;
    out = demoted(out);
    const qsizetype syllable = syllableOfLetter(division, letter);
    if (syllable < out.size())
        out[syllable] = u'1';
    return out;
}

QString prefixed(QStringView stemStress) {
    return stemStress.isEmpty() ? QString() : QStringLiteral("2") + stemStress.toString();
}

QString compounded(QStringView first, QStringView second, QStringView firstLetters, QStringView model) {
    if (first.isEmpty() || second.isEmpty())
        return {};
    static const QStringView kUnstressedPrefixes[] = {u"col", u"com", u"con", u"cor", u"de",  u"dis", u"mis",
                                                      u"non", u"pre", u"pro", u"sub", u"tri", u"uni"};
    const bool prefix = std::any_of(std::begin(kUnstressedPrefixes), std::end(kUnstressedPrefixes),
                                    [&](QStringView p) { return firstLetters.compare(p, Qt::CaseInsensitive) == 0; });
    const bool secondLeads =
        prefix || (model.size() == first.size() + second.size() && model.indexOf(u'1') >= first.size());
    return secondLeads ? demoted(first) + second.toString() : first.toString() + demoted(second);
}

} // namespace DerivedStress
