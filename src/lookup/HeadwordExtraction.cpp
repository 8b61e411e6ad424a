// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/HeadwordExtraction.h"

#include "common/Trim.h"

#include "lexicon/Division.h"
#include <QRegularExpression>

namespace HeadwordExtraction {
namespace {

constexpr QChar kPrimaryMark = QChar(0x02C8);
constexpr QChar kSecondaryMark = QChar(0x02CC);

// The headword with the stress of the pronunciation that follows it in its entry, when there is one that fits.
QString stressedHeadword(const QString& answer, const QString& headword, qsizetype headwordEnd) {
    const qsizetype entryEnd = answer.indexOf(QStringLiteral("</entry>"), headwordEnd, Qt::CaseInsensitive);
    const qsizetype open = answer.indexOf(QStringLiteral("<pr>"), headwordEnd, Qt::CaseInsensitive);
    if (open < 0 || (entryEnd >= 0 && open > entryEnd))
        return {};
    const qsizetype close = answer.indexOf(QStringLiteral("</pr>"), open, Qt::CaseInsensitive);
    if (close < 0)
        return {};
    const QString pronunciation =
        answer.mid(open + 4, close - open - 4).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    const QString stress = stressOfPronunciation(pronunciation);
    if (stress.size() != Division::markedSyllables(headword) || !stress.contains(u'1'))
        return {};
    return Division::stressedSplitText(headword, stress);
}

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
    const QString headwordText = split;
    // (152) blanks become boundaries, (154) every boundary becomes a middle dot, (156) the count
    split.replace(QLatin1Char(' '), QLatin1Char('*'));
    split.replace(QLatin1Char('*'), kMiddleDot);
    Result result;
    result.found = true;
    result.syllables = countSyllables(split);
    result.splitText = std::move(split);
    result.stressedText = stressedHeadword(answer, headwordText, contentEnd);
    return result;
}

QString stressOfPronunciation(QStringView pronunciation) {
    QString stress;
    QChar level = u'0';
    bool inSyllable = false;
    for (const QChar c : pronunciation) {
        if (c == u',' || c == u';')
            break; // the first pronunciation only
        if (c == u'-' || c.isSpace()) {
            if (inSyllable)
                stress += level;
            level = u'0';
            inSyllable = false;
            continue;
        }
        if (c == kPrimaryMark)
            level = u'1';
        else if (c == kSecondaryMark && level != u'1')
            level = u'2';
        else if (c.isLetter())
            inSyllable = true;
    }
    if (inSyllable)
        stress += level;
    return stress;
}

} // namespace HeadwordExtraction
