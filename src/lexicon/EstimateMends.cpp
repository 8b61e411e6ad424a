// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/EstimateMends.h"

#include "lexicon/Division.h"

#include <QVarLengthArray>

namespace EstimateMends {
namespace {

constexpr QChar kMark = Division::kMark;

bool isVowel(QChar c) {
    return QStringView(u"aeiouyAEIOUY").contains(c);
}

bool isConsonant(QChar c) {
    return c.isLetter() && c.unicode() < 0x80 && !isVowel(c);
}

// The pieces of one word of a division, as views into it.
using Pieces = QVarLengthArray<QStringView, 16>;

Pieces piecesOf(QStringView word) {
    Pieces pieces;
    for (const QStringView piece : word.tokenize(kMark, Qt::KeepEmptyParts))
        pieces.append(piece);
    return pieces;
}

// Only consonants before the last `tail` letters of a piece, and at least `least` of them.
bool consonantsThen(QStringView piece, QStringView tail, qsizetype least) {
    if (piece.size() < tail.size() + least || !piece.endsWith(tail, Qt::CaseInsensitive))
        return false;
    const QStringView before = piece.chopped(tail.size());
    return std::all_of(before.begin(), before.end(), isConsonant);
}

// The letters of the word before its last piece end in a sound that takes a spoken -es: s, x, z, ch, sh; or c or g,
// whose e softens them (pag·es, fa·ces).
bool hissesBefore(QStringView before) {
    const QString lower = before.right(2).toString().toLower();
    return lower.endsWith(u's') || lower.endsWith(u'x') || lower.endsWith(u'z') || lower.endsWith(u'c') ||
           lower.endsWith(u'g') || lower == QLatin1String("ch") || lower == QLatin1String("sh");
}

// Whether the last piece is an ending the word does not speak: a silent e; outside names, -ed after the consonant it
// doubles or any other but t and d (og·ged, im·mix·ed; not bride·bed, cal·y·cled, Mo·ham·med); in a name, -es after
// a sound that does not need it (Hugh·es, Jo·nes). The dictionary's own words are full of Latin plurals whose -es is
// spoken (ap·si·des, di·a·be·tes): an -es is left alone in words without a capital.
bool lastPieceIsSilent(const Pieces& pieces, bool name) {
    if (pieces.size() < 2)
        return false;
    const QStringView last = pieces.back();
    const QStringView previous = pieces[pieces.size() - 2];
    QString before;
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        before += pieces[i];
    before += last.chopped(std::min<qsizetype>(last.size(), 2));
    if (consonantsThen(last, u"e", 1)) {
        // ta·ble, a·cre: a consonant and a final le or re is a syllable of its own
        const bool liquid = last.endsWith(u"le", Qt::CaseInsensitive) || last.endsWith(u"re", Qt::CaseInsensitive);
        const QString letters = before + last.right(2).toString();
        return !(liquid && letters.size() >= 3 && isConsonant(letters[letters.size() - 3]));
    }
    if (consonantsThen(last, u"es", 0))
        return name && !hissesBefore(before);
    const bool doubled = last.size() == 3 && !previous.isEmpty() && last.front() == previous.back();
    if (consonantsThen(last, u"ed", 0) && !name && (last.size() == 2 || doubled)) {
        const QChar end = before.isEmpty() ? QChar() : before.back().toLower();
        return end != u't' && end != u'd';
    }
    return false;
}

// In a name, an e ending one piece and an i starting the next are one vowel (Kle·in, Hein·le·in); chemistry keeps
// them apart (pro·te·in, lin·o·le·ic), and so do -ism and -ist (we·ism).
bool joinsEi(QStringView piece, QStringView next, bool name) {
    return name && piece.endsWith(u'e', Qt::CaseInsensitive) && next.startsWith(u'i', Qt::CaseInsensitive) &&
           !next.startsWith(u"ism", Qt::CaseInsensitive) && !next.startsWith(u"ist", Qt::CaseInsensitive);
}

QString mendWord(QStringView word) {
    Pieces pieces = piecesOf(word);
    QString out;
    // Mc is a syllable of its own: Mc·Gee.
    if (word.size() > 3 && word.startsWith(u"Mc") && word[2].isUpper() && pieces.front().size() > 2)
        out += QStringLiteral("Mc*");
    if (!out.isEmpty())
        pieces.front() = pieces.front().mid(2);
    const bool name = !word.isEmpty() && word.front().isUpper();
    const bool silentLast = lastPieceIsSilent(pieces, name);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        out += pieces[i];
        const bool last = i + 1 == pieces.size();
        const bool joinNext =
            !last && ((silentLast && i + 2 == pieces.size()) || joinsEi(pieces[i], pieces[i + 1], name));
        if (!last && !joinNext)
            out += kMark;
    }
    return out;
}

} // namespace

QString mend(QStringView division) {
    QString out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= division.size(); ++i) {
        if (i < division.size() && division[i] != u' ' && division[i] != u'-')
            continue;
        out += mendWord(division.mid(start, i - start));
        if (i < division.size())
            out += division[i];
        start = i + 1;
    }
    return out;
}

} // namespace EstimateMends
