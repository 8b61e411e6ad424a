// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/WordTokenizer.h"

#include "common/TextCodec.h"

#include <QChar>

namespace {

// ASCII's separators, and Latin-1's punctuation, symbols and the no-break space (the C1 controls stay word
// characters, as every control but NUL and the blanks does).
std::array<bool, 256> buildSeparators() {
    std::array<bool, 256> table{};
    for (const char* p = WordTokenizer::kPunctuation; *p != '\0'; ++p)
        table[static_cast<unsigned char>(*p)] = true;
    for (const unsigned char c : {' ', '\t', '\n', '\r', '\0'})
        table[c] = true;
    for (char32_t c = 0xA0; c < 0x100; ++c)
        table[c] = WordTokenizer::isUnicodeSeparator(c);
    return table;
}

// The length in units of the separator at p (a surrogate pair is one character), 0 when p begins a word character.
int separatorAt(const char16_t* p, const char16_t* end) {
    if (QChar::isHighSurrogate(*p) && p + 1 < end && QChar::isLowSurrogate(p[1]))
        return WordTokenizer::isSeparatorCodePoint(QChar::surrogateToUcs4(p[0], p[1])) ? 2 : 0;
    return WordTokenizer::isSeparator(*p) ? 1 : 0;
}

// Calls onWord(begin, end) for every maximal run of non-separators in [begin, end).
template <typename OnWord> void forEachWord(const char16_t* p, const char16_t* end, OnWord onWord) {
    while (p < end) {
        for (int n; p < end && (n = separatorAt(p, end)) > 0;)
            p += n;
        const char16_t* start = p;
        while (p < end && separatorAt(p, end) == 0)
            p += QChar::isHighSurrogate(*p) && p + 1 < end && QChar::isLowSurrogate(p[1]) ? 2 : 1;
        if (p > start)
            onWord(start, p);
    }
}

// The number of words, counted without branches (a word starts wherever a separator is followed by a word
// character), so that the list is allocated once at its final size. Bytes outside ASCII count as word characters
// here: the separators among them are rare, and each makes room for itself when it is met.
qsizetype countWords(const char* p, const char* end) {
    qsizetype count = 0;
    bool previousSeparates = true;
    for (; p < end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        const bool separates = c < 0x80 && WordTokenizer::isSeparator(c);
        count += previousSeparates & !separates;
        previousSeparates = separates;
    }
    return count;
}

// The words of UTF-8 bytes, stray bytes read as Windows-1252, cut without a branch per ASCII character: every
// ASCII byte is written to the pool but the pool's end only moves past word characters, and the next span's
// offset is rewritten at every byte but the span count only moves at the first character of a word. A word then
// ends where the next one starts. A byte outside ASCII begins a character of its own (an ASCII byte is never part of
// a longer UTF-8 sequence), which is decoded in place and then either joins the word or, as a punctuation mark,
// symbol or space, separates: the same words as decoding the whole text first. No byte gives more than one UTF-16
// unit (a four-byte sequence gives two).
WordBlock cutBytes(QByteArrayView bytes) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const qsizetype count = countWords(begin, end);
    WordBlock block;
    block.spans.resize(static_cast<size_t>(count) + 1); // one more for the offset written after the last word
    block.pool = QString(bytes.size() + 1, Qt::Uninitialized);
    char16_t* const pool = reinterpret_cast<char16_t*>(block.pool.data());
    TextSpan* spans = block.spans.data();
    qsizetype used = 0;
    qsizetype words = 0;
    qsizetype unicodeSeparators = 0; // each may start one word more than the count above foresaw
    bool previousSeparates = true;
    for (const char* p = begin; p < end;) {
        const unsigned char c = static_cast<unsigned char>(*p);
        spans[words].offset = used;
        if (c >= 0x80) {
            const TextCodec::Decoded one =
                TextCodec::decodeOneUtf8OrWindows1252(QByteArrayView(p, end - p), pool + used);
            p += one.bytes;
            const char32_t character = one.units == 2 ? QChar::surrogateToUcs4(pool[used], pool[used + 1]) : pool[used];
            if (WordTokenizer::isUnicodeSeparator(character)) {
                previousSeparates = true;
                if (qsizetype(block.spans.size()) < count + 1 + ++unicodeSeparators) {
                    block.spans.resize(block.spans.size() * 2);
                    spans = block.spans.data();
                }
                continue;
            }
            words += previousSeparates;
            previousSeparates = false;
            used += one.units;
            continue;
        }
        const bool separates = WordTokenizer::isSeparator(c);
        pool[used] = c;
        words += previousSeparates & !separates;
        used += !separates;
        previousSeparates = separates;
        ++p;
    }
    for (qsizetype i = 0; i + 1 < words; ++i)
        spans[i].length = spans[i + 1].offset - spans[i].offset;
    if (words > 0)
        spans[words - 1].length = used - spans[words - 1].offset;
    block.spans.resize(static_cast<size_t>(words));
    block.pool.truncate(used);
    return block;
}

} // namespace

const std::array<bool, 256> WordTokenizer::kSeparators = buildSeparators();

bool WordTokenizer::isUnicodeSeparator(char32_t c) noexcept {
    switch (QChar::category(c)) {
    case QChar::Punctuation_Connector:
    case QChar::Punctuation_Dash:
    case QChar::Punctuation_Open:
    case QChar::Punctuation_Close:
    case QChar::Punctuation_InitialQuote:
    case QChar::Punctuation_FinalQuote:
    case QChar::Punctuation_Other:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QStringList WordTokenizer::words(QStringView text) {
    QStringList result;
    forEachWord(text.utf16(), text.utf16() + text.size(), [&](const char16_t* begin, const char16_t* end) {
        result.append(QString(reinterpret_cast<const QChar*>(begin), end - begin));
    });
    return result;
}

QStringList WordTokenizer::wordsOfFile(QByteArrayView bytes) {
    return words(TextCodec::decodeText(bytes));
}

WordBlock WordTokenizer::wordBlockOfFile(QByteArrayView bytes) {
    if (TextCodec::hasUtf16ByteOrderMark(bytes))
        return wordBlock(TextCodec::decodeText(bytes));
    return cutBytes(TextCodec::withoutUtf8ByteOrderMark(bytes));
}

WordBlock WordTokenizer::wordBlock(QStringView text) {
    const char16_t* const begin = text.utf16();
    WordBlock block;
    block.pool.reserve(text.size());
    forEachWord(begin, begin + text.size(), [&](const char16_t* first, const char16_t* last) {
        block.spans.push_back({block.pool.size(), last - first});
        block.pool.append(reinterpret_cast<const QChar*>(first), last - first);
    });
    return block;
}
