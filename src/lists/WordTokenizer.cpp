#include "lists/WordTokenizer.h"

#include "common/TextCodec.h"

#include <QStringDecoder>

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

// A word in UTF-8. QString::fromUtf8 would drop a leading U+FEFF, which inside a file is a character like
// any other (only the file's first byte-order mark is dropped, before the words are cut).
QString fromUtf8Word(QByteArrayView word) {
    if (!word.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(word);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(word);
}

// Most words are plain ASCII, the same in UTF-8 and Windows-1252, and are widened directly. Returns the
// null text when the word holds any other byte.
QString widenAscii(QByteArrayView word) {
    QString text(word.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    unsigned char bits = 0;
    for (const char c : word) {
        bits |= static_cast<unsigned char>(c);
        *out++ = static_cast<unsigned char>(c);
    }
    return bits < 0x80 ? text : QString();
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
    // Every separator is ASCII, and in UTF-8 an ASCII byte is always a character of its own, so cutting the
    // bytes first and decoding each word gives the same words as decoding the whole text first.
    const bool utf8 = bytes.isValidUtf8();
    if (utf8 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const auto isSeparatorByte = [](char c) { return kSeparators[static_cast<unsigned char>(c)]; };
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    QStringList result;
    result.reserve(countWords(begin, end));
    forEachWord(begin, end, isSeparatorByte, [&](const char* first, const char* last) {
        const QByteArrayView word(first, last - first);
        QString text = widenAscii(word);
        if (text.isNull())
            text = utf8 ? fromUtf8Word(word) : TextCodec::fromWindows1252(word);
        result.append(std::move(text));
    });
    return result;
}
