// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/WordStream.h"

#include "common/TextCodec.h"
#include "lists/WordTokenizer.h"

#include <QChar>
#include <utility>

namespace {

constexpr char16_t kTypographicApostrophe = 0x2019;
constexpr char16_t kSoftHyphen = 0x00AD;

enum class Kind { Letter, Digit, Mark, OtherWordCharacter, Apostrophe, DigitJoiner, Dropped, Separator };

bool isAsciiDigit(char32_t c) {
    return c >= u'0' && c <= u'9';
}

Kind proseKind(char32_t c) {
    if (c < 0x80) {
        if ((c | 0x20) >= u'a' && (c | 0x20) <= u'z')
            return Kind::Letter;
        if (isAsciiDigit(c))
            return Kind::Digit;
        if (c == u'\'')
            return Kind::Apostrophe;
        return c == u',' || c == u'.' ? Kind::DigitJoiner : Kind::Separator;
    }
    if (c == kTypographicApostrophe)
        return Kind::Apostrophe;
    if (c == kSoftHyphen)
        return Kind::Dropped;
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
        return Kind::Letter;
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return Kind::Mark;
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
        return Kind::OtherWordCharacter;
    default:
        return Kind::Separator; // punctuation, symbols, spaces, controls, unassigned
    }
}

// How many bytes at the end of a piece of UTF-8 begin a character that the next piece finishes.
qsizetype unfinishedTail(QByteArrayView bytes) {
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto b = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((b & 0xC0) == 0x80)
            continue;
        const qsizetype length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

} // namespace

WordStream::WordStream(Rules rules, OnWord onWord) : m_rules(rules), m_onWord(std::move(onWord)) {}

void WordStream::feed(QByteArrayView bytes) {
    if (m_encoding == Encoding::Unknown || !m_held.isEmpty()) {
        m_held.append(bytes.data(), bytes.size());
        decodeHeld(false);
        return;
    }
    if (m_encoding == Encoding::Utf8)
        decodeUtf8(bytes, false);
    else
        decodeUtf16(bytes, false);
}

// The held bytes with what came after them: at the start, the byte-order mark decides how the rest is read.
void WordStream::decodeHeld(bool final) {
    if (m_encoding == Encoding::Unknown) {
        if (m_held.size() < 3 && !final)
            return;
        if (TextCodec::hasUtf16ByteOrderMark(m_held)) {
            m_encoding = static_cast<unsigned char>(m_held[0]) == 0xFF ? Encoding::Utf16Le : Encoding::Utf16Be;
            m_held.remove(0, 2);
        } else {
            m_encoding = Encoding::Utf8;
            m_held.remove(0, m_held.size() - TextCodec::withoutUtf8ByteOrderMark(m_held).size());
        }
    }
    const QByteArray bytes = std::exchange(m_held, QByteArray());
    if (m_encoding == Encoding::Utf8)
        decodeUtf8(bytes, final);
    else
        decodeUtf16(bytes, final);
}

void WordStream::decodeUtf8(QByteArrayView bytes, bool final) {
    const qsizetype complete = final ? bytes.size() : bytes.size() - unfinishedTail(bytes);
    if (m_text.size() < complete)
        m_text.resize(complete);
    const qsizetype units =
        TextCodec::fromUtf8OrWindows1252(bytes.first(complete), reinterpret_cast<char16_t*>(m_text.data()));
    m_held = bytes.sliced(complete).toByteArray();
    feedText(QStringView(m_text).first(units));
}

// Two bytes a unit; an odd byte waits for its pair, or becomes U+FFFD at the end.
void WordStream::decodeUtf16(QByteArrayView bytes, bool final) {
    const qsizetype units = bytes.size() / 2;
    if (m_text.size() < units + 1)
        m_text.resize(units + 1);
    const bool littleEndian = m_encoding == Encoding::Utf16Le;
    for (qsizetype i = 0; i < units; ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        m_text[i] = QChar(littleEndian ? char16_t(first | second << 8) : char16_t(first << 8 | second));
    }
    qsizetype length = units;
    if (bytes.size() % 2 != 0) {
        if (final)
            m_text[length++] = QChar(QChar::ReplacementCharacter);
        else
            m_held = bytes.last(1).toByteArray();
    }
    feedText(QStringView(m_text).first(length));
}

void WordStream::feedText(QStringView text) {
    const bool prose = m_rules == Rules::Prose;
    for (const QChar unit : text) {
        const char16_t u = unit.unicode();
        // Most characters of prose are ASCII letters inside a word: they join it without further questions.
        if (prose && unsigned((u | 0x20) - u'a') < 26u && m_high == 0 && m_joiner == 0 && m_leadingApostrophe == 0 &&
            !m_tooLong && m_length < kLongestWord) {
            m_word[m_length++] = u;
            m_last = Last::Letter;
            continue;
        }
        if (m_high != 0) {
            const char16_t high = std::exchange(m_high, char16_t(0));
            if (QChar::isLowSurrogate(u)) {
                take(QChar::surrogateToUcs4(high, u));
                continue;
            }
            take(high); // a lone half: no character of any word
        }
        if (QChar::isHighSurrogate(u))
            m_high = u;
        else
            take(u);
    }
}

void WordStream::finish() {
    decodeHeld(true);
    if (m_high != 0)
        take(std::exchange(m_high, char16_t(0)));
    endWord();
}

void WordStream::take(char32_t c) {
    if (m_rules == Rules::Prose) {
        takeProse(c);
        return;
    }
    if (WordTokenizer::isSeparatorCodePoint(c))
        endWord();
    else
        append(c, Last::Other);
}

void WordStream::takeProse(char32_t c) {
    const Kind kind = proseKind(c);
    // 1. An apostrophe, comma or point after the word stays when the right character follows it.
    if (m_joiner != 0) {
        const char16_t joiner = std::exchange(m_joiner, char16_t(0));
        const bool stays = joiner == u',' || joiner == u'.' ? kind == Kind::Digit : kind == Kind::Letter;
        if (stays)
            append(joiner, Last::Other);
        else
            endWord();
    }
    // 2. An apostrophe before a word stays before a decade's digits.
    if (m_leadingApostrophe != 0) {
        const char16_t apostrophe = std::exchange(m_leadingApostrophe, char16_t(0));
        if (kind == Kind::Digit)
            append(apostrophe, Last::Other);
    }
    // 3. The character itself.
    switch (kind) {
    case Kind::Letter:
        append(c, Last::Letter);
        break;
    case Kind::Digit:
        append(c, Last::Digit);
        break;
    case Kind::Mark:
        append(c, m_last == Last::Letter ? Last::Letter : Last::Other); // é written as e and a combining accent
        break;
    case Kind::OtherWordCharacter:
        append(c, Last::Other);
        break;
    case Kind::Apostrophe:
        if (m_last == Last::Letter || m_last == Last::Digit) {
            m_joiner = char16_t(c);
        } else {
            endWord();
            m_leadingApostrophe = char16_t(c);
        }
        break;
    case Kind::DigitJoiner:
        if (m_last == Last::Digit)
            m_joiner = char16_t(c);
        else
            endWord();
        break;
    case Kind::Dropped:
        break;
    case Kind::Separator:
        endWord();
        break;
    }
}

void WordStream::append(char32_t c, Last kind) {
    m_last = kind;
    if (m_tooLong)
        return;
    const qsizetype units = c > 0xFFFF ? 2 : 1;
    if (m_length + units > kLongestWord) {
        m_tooLong = true;
        m_length = 0;
        return;
    }
    if (units == 2) {
        m_word[m_length++] = QChar::highSurrogate(c);
        m_word[m_length++] = QChar::lowSurrogate(c);
    } else {
        m_word[m_length++] = char16_t(c);
    }
}

void WordStream::endWord() {
    // An apostrophe kept before digits stays only in a decade ('80s); '72 is the number.
    QStringView word(m_word, m_length);
    const bool decade = word.size() == 4 && (word.back() == u's' || word.back() == u'S');
    if (!word.isEmpty() && (word.front() == u'\'' || word.front() == kTypographicApostrophe) && !decade)
        word = word.mid(1);
    if (m_tooLong)
        ++m_overlong;
    else if (!word.isEmpty())
        m_onWord(word);
    m_length = 0;
    m_tooLong = false;
    m_last = Last::None;
    m_joiner = 0;
}

QStringList WordStream::words(QStringView text, Rules rules) {
    QStringList words;
    WordStream stream(rules, [&](QStringView word) { words.append(word.toString()); });
    stream.feedText(text);
    stream.finish();
    return words;
}
