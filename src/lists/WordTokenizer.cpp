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

bool isAscii(QByteArrayView bytes) {
    unsigned char bits = 0;
    for (const char c : bytes)
        bits |= static_cast<unsigned char>(c);
    return bits < 0x80;
}

// The words of plain ASCII bytes (the same in UTF-8 and Windows-1252), cut without a branch per character:
// every byte is written to the pool but the pool's end only moves past word characters, and the next span's
// offset is rewritten at every byte but the span count only moves at the first character of a word. A word
// then ends where the next one starts.
WordBlock asciiWordBlock(QByteArrayView bytes) {
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
    for (const char* p = begin; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        const bool separates = WordTokenizer::isSeparator(c);
        pool[used] = c;
        spans[words].offset = used;
        words += previousSeparates & !separates;
        used += !separates;
        previousSeparates = separates;
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
    bytes = TextCodec::withoutUtf8ByteOrderMark(bytes);
    if (isAscii(bytes))
        return asciiWordBlock(bytes);
    // Every separator is ASCII, and an ASCII byte is never part of a longer UTF-8 sequence: it is a character of
    // its own in UTF-8 and in Windows-1252 alike. So cutting the bytes first and decoding each word gives the
    // same words as decoding the whole text first. A byte never gives more than one UTF-16 unit (a four-byte
    // sequence gives two), so the words fit in as many characters as there are bytes.
    const auto isSeparatorByte = [](char c) { return kSeparators[static_cast<unsigned char>(c)]; };
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    WordBlock block;
    block.spans.reserve(static_cast<size_t>(countWords(begin, end)));
    block.pool = QString(bytes.size(), Qt::Uninitialized);
    char16_t* const pool = reinterpret_cast<char16_t*>(block.pool.data());
    char16_t* out = pool;
    forEachWord(begin, end, isSeparatorByte, [&](const char* first, const char* last) {
        const qsizetype length = TextCodec::fromUtf8OrWindows1252(QByteArrayView(first, last - first), out);
        block.spans.push_back({out - pool, length});
        out += length;
    });
    block.pool.truncate(out - pool);
    return block;
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
