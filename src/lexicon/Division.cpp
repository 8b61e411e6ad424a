// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/Division.h"

#include "lexicon/WordKey.h"

#include <algorithm>

namespace Division {
namespace {

bool isWordLetter(QChar c) {
    return c.isLetter() || c == QLatin1Char('\'');
}

// Lays the letter c of the division onto the user's letter w: ASCII letters take the user's letter as it stands,
// accented ones keep their accent and take the user's case.
QChar laid(QChar c, QChar w) {
    if (c.unicode() < 0x80)
        return w;
    return w.isUpper() ? c.toUpper() : c.toLower();
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

int countSyllables(QStringView splitText) {
    if (splitText.isEmpty())
        return 0;
    int pieces = 1;
    for (qsizetype i = 0; i < splitText.size(); ++i) {
        const QChar c = splitText[i];
        if (c == kMiddleDot)
            ++pieces;
        else if (c == QLatin1Char('-') && i > 0 && i + 1 < splitText.size() && isWordLetter(splitText[i - 1]) &&
                 isWordLetter(splitText[i + 1]))
            ++pieces;
    }
    return pieces;
}

QString onto(QStringView division, QStringView word) {
    QString result(division.size() + word.size(), Qt::Uninitialized);
    QChar* out = result.data();
    qsizetype w = 0;
    // Combining marks the user typed after a letter belong to it: kept after a plain letter of the division, left
    // out after an accented one, which carries the dictionary's own accent.
    const auto takeMarks = [&](bool keep) {
        for (; w < word.size() && word[w].unicode() >= 0x0300 && word[w].isMark(); ++w)
            if (keep)
                *out++ = word[w];
    };
    takeMarks(true);
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
            takeMarks(true);
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
        *out++ = laid(c, word[start]);
        takeMarks(u < 0x80);
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

} // namespace

int vowelGroups(QStringView key) {
    int groups = 0;
    bool inGroup = false;
    for (const QChar c : key) {
        const bool vowel = WordKey::isVowel(c);
        if (vowel && !inGroup)
            ++groups;
        inGroup = vowel;
    }
    if (groups > 1 && endsSilently(key))
        --groups;
    return groups;
}

bool hasVowel(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return WordKey::isVowel(c.toLower()); });
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
    return anyLetter ? countSyllables(splitText(division)) : 0;
}

} // namespace Division
