// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/WordTokenizer.h"

#include "common/TextCodec.h"

namespace {

constexpr std::array<bool, 256> buildSeparators() {
    std::array<bool, 256> table{};
    for (const char* p = WordTokenizer::kPunctuation; *p != '\0'; ++p)
        table[static_cast<unsigned char>(*p)] = true;
    for (const unsigned char c : {' ', '\t', '\n', '\r', '\0'})
        table[c] = true;
    return table;
}

// Calls onWord(begin, end) for every maximal run of non-separators in [begin, end).
template <typename Char, typename Separator, typename OnWord>
void forEachWord(const Char* p, const Char* end, Separator isSeparator, OnWord onWord) {
    while (p < end) {
        while (p < end && isSeparator(*p))
            ++p;
        const Char* start = p;
        while (p < end && !isSeparator(*p))
            ++p;
        if (p > start)
            onWord(start, p);
    }
}

// The number of words, counted without branches (a word starts wherever a separator is followed by a word
// character), so that the list is allocated once at its final size.
qsizetype countWords(const char* p, const char* end) {
    qsizetype count = 0;
    bool previousSeparates = true;
    for (; p < end; ++p) {
        const bool separates = WordTokenizer::isSeparator(static_cast<unsigned char>(*p));
        count += previousSeparates & !separates;
        previousSeparates = separates;
    }
    return count;
}

// The words of UTF-8 bytes, stray bytes read as Windows-1252, cut without a branch per ASCII character: every
// ASCII byte is written to the pool but the pool's end only moves past word characters, and the next span's
// offset is rewritten at every byte but the span count only moves at the first character of a word. A word then
// ends where the next one starts. A byte outside ASCII always belongs to a word (every separator is ASCII, and an
// ASCII byte is never part of a longer UTF-8 sequence), so its character is decoded in place: the same words as
// decoding the whole text first. No byte gives more than one UTF-16 unit (a four-byte sequence gives two).
WordBlock cutBytes(QByteArrayView bytes) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const qsizetype count = countWords(begin, end);
    WordBlock block;
    block.spans.resize(static_cast<size_t>(count) + 1); // one more for the offset written after the last word
    block.pool = QString(bytes.size() + 1, Qt::Uninitialized);
    char16_t* const pool = reinterpret_cast<char16_t*>(block.pool.data());
    TextSpan* const spans = block.spans.data();
    qsizetype used = 0;
    qsizetype words = 0;
    bool previousSeparates = true;
    for (const char* p = begin; p < end;) {
        const unsigned char c = static_cast<unsigned char>(*p);
        spans[words].offset = used;
        if (c >= 0x80) {
            words += previousSeparates;
            previousSeparates = false;
            const TextCodec::Decoded one =
                TextCodec::decodeOneUtf8OrWindows1252(QByteArrayView(p, end - p), pool + used);
            used += one.units;
            p += one.bytes;
            continue;
        }
        const bool separates = WordTokenizer::isSeparator(c);
        pool[used] = c;
        words += previousSeparates & !separates;
        used += !separates;
        previousSeparates = separates;
        ++p;
    }
    for (qsizetype i = 0; i + 1 < count; ++i)
        spans[i].length = spans[i + 1].offset - spans[i].offset;
    if (count > 0)
        spans[count - 1].length = used - spans[count - 1].offset;
    block.spans.pop_back();
    block.pool.truncate(used);
    return block;
}

} // namespace

const std::array<bool, 256> WordTokenizer::kSeparators = buildSeparators();

QStringList WordTokenizer::words(QStringView text) {
    QStringList result;
    forEachWord(
        text.utf16(), text.utf16() + text.size(), [](char16_t c) { return isSeparator(c); },
        [&](const char16_t* begin, const char16_t* end) {
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
    forEachWord(
        begin, begin + text.size(), [](char16_t c) { return isSeparator(c); },
        [&](const char16_t* first, const char16_t* last) {
            block.spans.push_back({block.pool.size(), last - first});
            block.pool.append(reinterpret_cast<const QChar*>(first), last - first);
        });
    return block;
}
