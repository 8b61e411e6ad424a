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
    QStringList result;
    const auto isSeparatorByte = [](char c) { return kSeparators[static_cast<unsigned char>(c)]; };
    forEachWord(bytes.data(), bytes.data() + bytes.size(), isSeparatorByte, [&](const char* begin, const char* end) {
        const QByteArrayView word(begin, end - begin);
        result.append(utf8 ? fromUtf8Word(word) : TextCodec::fromWindows1252(word));
    });
    return result;
}
