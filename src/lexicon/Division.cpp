// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/Division.h"

#include "lexicon/WordKey.h"

#include <algorithm>

namespace Division {
namespace {

bool isWordLetter(QChar c) {
    return c.isLetter() || c == QLatin1Char('\'');
}

char16_t asciiLower(char16_t u) {
    return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
}

} // namespace

QString splitText(QStringView division) {
    QString text = division.toString();
    for (QChar& c : text) {
        if (c == kMark || c == QLatin1Char(' '))
            c = kMiddleDot;
    }
    return text;
}

namespace {

// Where the piece of a split text that ends before `end` stops parting syllables: true at a middle dot, and at a
// hyphen between two letters.
bool endsPiece(QStringView splitText, qsizetype i) {
    const QChar c = splitText[i];
    return c == kMiddleDot || (c == QLatin1Char('-') && i > 0 && i + 1 < splitText.size() &&
                               isWordLetter(splitText[i - 1]) && isWordLetter(splitText[i + 1]));
}

bool isVowelLetter(QChar c) {
    if (c.unicode() < 0x80)
        return WordKey::isVowel(QChar(asciiLower(c.unicode())));
    const WordKey::Folded folded = WordKey::foldChar(c); // é, ö, æ
    return folded.size > 0 && WordKey::isVowel(QChar(folded.letters[0]));
}

bool isApostrophe(QChar c) {
    return c == u'\'' || c == u'\u2019';
}

// A piece spoken with a syllable that has no vowel letter: -sm or -thm after a vowel, a plural s or a possessive
// after it allowed (prism, prisms, prism's, prisms', rhythm).
bool endsInSyllabicM(QStringView piece) {
    if (piece.size() >= 2 && asciiLower(piece.back().unicode()) == u's' && isApostrophe(piece[piece.size() - 2])) {
        piece.chop(2);
    } else {
        if (!piece.isEmpty() && isApostrophe(piece.back()))
            piece.chop(1);
        if (piece.size() >= 2 && asciiLower(piece.back().unicode()) == u's' &&
            asciiLower(piece[piece.size() - 2].unicode()) == u'm')
            piece.chop(1);
    }
    if (piece.size() < 3 || asciiLower(piece.back().unicode()) != u'm')
        return false;
    const char16_t before = asciiLower(piece[piece.size() - 2].unicode());
    qsizetype vowelAt = piece.size() - 3;
    if (before == u'h' && asciiLower(piece[vowelAt].unicode()) == u't')
        --vowelAt;
    else if (before != u's')
        return false;
    return vowelAt >= 0 && isVowelLetter(piece[vowelAt]);
}

} // namespace

int countPieces(QStringView splitText) {
    if (splitText.isEmpty())
        return 0;
    int pieces = 1;
    for (qsizetype i = 0; i < splitText.size(); ++i)
        pieces += endsPiece(splitText, i);
    return pieces;
}

int countSyllables(QStringView splitText) {
    if (splitText.isEmpty())
        return 0;
    int syllables = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= splitText.size(); ++i) {
        if (i < splitText.size() && !endsPiece(splitText, i))
            continue;
        syllables += (i < splitText.size()) + endsInSyllabicM(splitText.mid(start, i - start));
        start = i + 1;
    }
    return syllables;
}

namespace {

// A piece without a vowel letter that is to join a neighbour; not an apostrophe's (n't) nor a capital spelt out.
bool isLoosePiece(QStringView piece) {
    const bool spelt = piece.size() == 1 && piece[0].isUpper();
    return !piece.isEmpty() && !spelt && !hasVowel(piece) && !piece.contains(u'\'') && !piece.contains(u'\u2019');
}

// Calls onPiece(start, end) for each syllable of a division: the parts between marks, blanks and hyphens between
// letters, as markedSyllables counts them.
template <typename OnPiece> void forEachPiece(QStringView division, OnPiece onPiece) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= division.size(); ++i) {
        const bool boundary = i == division.size() || division[i] == kMark || division[i] == u' ' ||
                              (division[i] == u'-' && i > 0 && i + 1 < division.size() &&
                               isWordLetter(division[i - 1]) && isWordLetter(division[i + 1]));
        if (!boundary)
            continue;
        onPiece(start, i);
        start = i + 1;
    }
}

// The stronger of two stresses: primary over secondary over none.
QChar stronger(QChar a, QChar b) {
    return a == u'1' || b == u'1' ? QChar(u'1') : a == u'2' || b == u'2' ? QChar(u'2') : QChar(u'0');
}

} // namespace

// Whether some piece has no vowel letter, in one quick pass (a letter outside ASCII counts as a vowel here).
bool mayHaveLoosePiece(QStringView division) {
    bool vowel = false;
    qsizetype length = 0;
    for (const QChar c : division) {
        const char16_t u = c.unicode();
        if (u == kMark || u == u' ' || u == u'-') {
            if (length > 0 && !vowel)
                return true;
            vowel = false;
            length = 0;
            continue;
        }
        ++length;
        vowel = vowel || u >= 0x80 || u == u'\'' || WordKey::isVowel(QChar(asciiLower(u)));
    }
    return length > 0 && !vowel;
}

void joinVowellessPieces(QString& division, QString* stress) {
    if (!mayHaveLoosePiece(division))
        return; // the common case: nothing to copy
    const bool withStress = stress && stress->size() == countPieces(splitText(division));
    QString result;
    QString joinedStress;
    result.reserve(division.size());
    const QStringView text(division);
    qsizetype syllable = 0;
    bool joinNext = false; // the piece before was a loose first piece: this one takes it in
    forEachPiece(text, [&](qsizetype start, qsizetype end) {
        const bool loose = isLoosePiece(text.mid(start, end - start));
        const bool afterMark = start > 0 && text[start - 1] == kMark;
        const QChar mine = withStress ? stress->at(syllable++) : QChar(u'0');
        if (loose && afterMark) {
            result.chop(1); // joins the piece before
            if (withStress)
                joinedStress.back() = stronger(joinedStress.back(), mine);
        } else if (withStress) {
            joinedStress += joinNext ? stronger(joinedStress.back(), mine) : mine;
            if (joinNext)
                joinedStress.remove(joinedStress.size() - 2, 1);
        }
        joinNext = loose && !afterMark && end < text.size() && text[end] == kMark;
        result += text.mid(start, end - start);
        if (end < text.size() && !joinNext)
            result += text[end];
    });
    division = result;
    if (withStress)
        *stress = joinedStress;
}

QString stressedSplitText(QStringView division, QStringView stress) {
    QString text = splitText(division);
    if (stress.size() != markedSyllables(division))
        return text;
    // The words (between blanks) of one syllable go unmarked.
    QString out;
    out.reserve(text.size() + stress.size());
    qsizetype syllable = 0;
    qsizetype wordStart = 0;
    for (qsizetype i = 0; i <= division.size(); ++i) {
        if (i < division.size() && division[i] != u' ')
            continue;
        const QStringView word = division.mid(wordStart, i - wordStart);
        const int syllables = markedSyllables(word);
        qsizetype at = 0;
        for (int k = 0; k < syllables; ++k) {
            // the syllable's text: up to the next mark or syllable-parting hyphen
            qsizetype end = at;
            while (end < word.size() && word[end] != kMark &&
                   !(word[end] == u'-' && end > 0 && end + 1 < word.size() && word[end - 1].isLetter() &&
                     word[end + 1].isLetter()))
                ++end;
            const QChar level = stress[syllable + k];
            if (syllables > 1 && level == u'1')
                out += kPrimaryStress;
            else if (syllables > 1 && level == u'2')
                out += kSecondaryStress;
            out += splitText(word.mid(at, end - at));
            if (end < word.size())
                out += word[end] == kMark ? kMiddleDot : word[end];
            at = end + 1;
        }
        syllable += syllables;
        if (i < division.size())
            out += kMiddleDot;
        wordStart = i + 1;
    }
    return out;
}

QString onto(QStringView division, QStringView word) {
    QString result(division.size() + word.size(), Qt::Uninitialized);
    QChar* out = result.data();
    qsizetype w = 0;
    // Combining marks the user typed after a letter belong to it.
    const auto takeMarks = [&] {
        for (; w < word.size() && word[w].unicode() >= 0x0300 && word[w].isMark(); ++w)
            *out++ = word[w];
    };
    takeMarks();
    for (const QChar c : division) {
        if (c == kMark) {
            *out++ = c;
            continue;
        }
        // Plain letters on both sides, the common case, are compared without the full folding below.
        const char16_t u = c.unicode();
        if (u < 0x80 && u != u'`' && w < word.size() && word[w].unicode() < 0x80 && word[w] != u'`') {
            if (asciiLower(u) != asciiLower(word[w].unicode()))
                return division.toString();
            *out++ = word[w++];
            takeMarks();
            continue;
        }
        const WordKey::Folded wanted = WordKey::foldChar(c);
        if (wanted.size == 0) // a combining mark of the division's own
            continue;
        // The user's letters that spell the same: one, or two for a ligature written out (ae for æ).
        const qsizetype start = w;
        WordKey::Folded given;
        while (given.size < wanted.size && w < word.size()) {
            const WordKey::Folded next = WordKey::foldChar(word[w++]);
            for (int i = 0; i < next.size && given.size < 2; ++i)
                given.letters[given.size++] = next.letters[i];
        }
        if (!(given == wanted) || start == w)
            return division.toString();
        out = std::copy(word.begin() + start, word.begin() + w, out);
        takeMarks();
    }
    if (w != word.size())
        return division.toString();
    result.truncate(out - result.constData());
    return result;
}

namespace {

bool isConsonantLetter(QChar c) {
    return c.isLetter() && !WordKey::isVowel(c);
}

// The vowel group at the end of a key that is not spoken: cake, plague, knives, loved (but pages, wanted).
bool endsSilently(QStringView key) {
    const qsizetype n = key.size();
    if (n >= 2 && key[n - 1] == u'e' && isConsonantLetter(key[n - 2]))
        return true;
    if (n >= 3 && key.endsWith(u"ue") && (key[n - 3] == u'g' || key[n - 3] == u'q'))
        return true;
    if (n >= 3 && key.endsWith(u"es") && isConsonantLetter(key[n - 3]))
        return !QStringView(u"sxzcg").contains(key[n - 3]) && !key.chopped(2).endsWith(u"ch") &&
               !key.chopped(2).endsWith(u"sh");
    if (n >= 3 && key.endsWith(u"ed") && isConsonantLetter(key[n - 3]))
        return key[n - 3] != u't' && key[n - 3] != u'd';
    return false;
}

// A consonant before a final "le" or "re" (with a plural s or a past d) makes a syllable of its own: ta·ble,
// han·dled, mar·bles, a·cre, cen·tred; not after a vowel (whole, fire), nor in "-lle", "-rle", "-wle" (belle,
// curled, howled).
bool endsSyllabically(QStringView key) {
    if (key.endsWith(u's') || key.endsWith(u'd'))
        key.chop(1);
    if (key.size() < 3 || key.back() != u'e')
        return false;
    const QChar liquid = key[key.size() - 2];
    const QChar before = key[key.size() - 3];
    if (liquid != u'l' && liquid != u'r')
        return false;
    return isConsonantLetter(before) && before != u'l' && before != u'r' && before != u'w';
}

// A y before another vowel ends its group, so the vowel starts another (pay·ing, cry·ing), but not before the e of
// a word's last letters (eye, eyes, dyed, keyed).
bool yEndsGroup(QStringView key, qsizetype at) {
    const QStringView rest = key.mid(at + 1);
    return !rest.isEmpty() && WordKey::isVowel(rest.front()) && rest.front() != u'y' && rest != u"e" && rest != u"es" &&
           rest != u"ed";
}

} // namespace

int vowelGroups(QStringView key) {
    int groups = 0;
    bool inGroup = false;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key[i];
        if (c == u'y' && yEndsGroup(key, i)) {
            groups += !inGroup && i > 0; // a y starting the word is a consonant (yes, you)
            inGroup = false;
            continue;
        }
        const bool vowel = WordKey::isVowel(c);
        if (vowel && !inGroup)
            ++groups;
        inGroup = vowel;
    }
    if (groups > 1 && endsSilently(key) && !endsSyllabically(key))
        --groups;
    return groups;
}

bool hasVowel(QStringView text) {
    return std::any_of(text.begin(), text.end(), isVowelLetter);
}

bool needsNoMark(QStringView key) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= key.size(); ++i) {
        if (i < key.size() && key[i] != u' ' && key[i] != u'-')
            continue;
        if (vowelGroups(key.mid(start, i - start)) > 1)
            return false;
        start = i + 1;
    }
    return true;
}

int markedSyllables(QStringView division) {
    bool anyLetter = false;
    for (const QChar c : division)
        anyLetter = anyLetter || c.isLetter();
    return anyLetter ? countPieces(splitText(division)) : 0;
}

} // namespace Division
