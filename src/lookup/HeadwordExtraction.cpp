// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/HeadwordExtraction.h"

#include "common/Trim.h"
#include "lexicon/Division.h"

namespace HeadwordExtraction {
namespace {

Result malformed(int step, const QString& what) {
    Result result;
    result.failedStep = step;
    result.failure = QStringLiteral("Invalid procedure call or argument: the answer has %1").arg(what);
    return result;
}

} // namespace

bool isFound(const QString& answer, const QString& word) {
    const QString marker = QStringLiteral("<entry id=\"") + TrimSpaces(word);
    return answer.contains(marker, Qt::CaseInsensitive);
}

int countSyllables(const QString& splitText) {
    return Division::countSyllables(splitText);
}

Result extract(const QString& answer, const QString& word) {
    // (142) the found test
    if (!isFound(answer, word))
        return {};
    // (144) the first "<hw" of the whole answer, (146) its start tag's ">"
    const qsizetype headword = answer.indexOf(QStringLiteral("<hw"), 0, Qt::CaseInsensitive);
    if (headword < 0)
        return malformed(146, QStringLiteral("no headword element"));
    const qsizetype tagEnd = answer.indexOf(QLatin1Char('>'), headword);
    if (tagEnd < 0)
        return malformed(146, QStringLiteral("an unfinished headword start tag"));
    const qsizetype contentStart = tagEnd + 1;
    // (148) the end tag, (150) the trimmed content
    const qsizetype contentEnd = answer.indexOf(QStringLiteral("</hw>"), contentStart, Qt::CaseInsensitive);
    if (contentEnd < 0)
        return malformed(150, QStringLiteral("no end to its headword element"));
    QString split = TrimSpaces(answer.mid(contentStart, contentEnd - contentStart));
    // (152) blanks become boundaries, (154) every boundary becomes a middle dot, (156) the count
    split.replace(QLatin1Char(' '), QLatin1Char('*'));
    split.replace(QLatin1Char('*'), kMiddleDot);
    Result result;
    result.found = true;
    result.syllables = countSyllables(split);
    result.splitText = std::move(split);
    return result;
}

} // namespace HeadwordExtraction
