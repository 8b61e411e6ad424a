// SPDX-License-Identifier: GPL-3.0-or-later
// A word file's bytes: the words cut from the bytes before decoding (the import's way) are exactly the words
// of the decoded text, each a whole word, and the pool holds nothing but them; --split's stream reads the same
// words. Valid UTF-8 decodes as Qt reads it.

#include "FuzzCheck.h"

#include "common/TextCodec.h"
#include "lists/WordStream.h"
#include "lists/WordTokenizer.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes = fuzzBytes(data, size);
    const QString text = TextCodec::decodeText(bytes);
    fuzzCheck(text.size() <= bytes.size(), "no byte decodes to more than one UTF-16 unit");
    if (bytes.isValidUtf8()) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        fuzzCheck(TextCodec::fromUtf8OrWindows1252(bytes) == QString(utf8(bytes)), "valid UTF-8 reads as UTF-8");
    }
    const QStringList words = WordTokenizer::words(text);
    const WordBlock block = WordTokenizer::wordBlockOfFile(bytes);
    fuzzCheck(block.coveredCharacters() == block.pool.size(), "the pool holds the words and nothing else");
    fuzzCheck(block.size() == words.size(), "as many words cut from the bytes as from the text");
    for (qsizetype i = 0; i < block.size(); ++i) {
        const QString word = block.word(i);
        fuzzCheck(word == words[i], "the same words cut from the bytes as from the text");
        fuzzCheck(!word.isEmpty(), "no empty word");
        for (const QChar c : word)
            fuzzCheck(!WordTokenizer::isSeparator(c.unicode()), "no separator inside a word");
    }
    // Read as --split reads a file, in pieces, with the import's rules: the same words (none is over-long here).
    QStringList streamed;
    WordStream stream(WordStream::Rules::Import, [&](QStringView word) { streamed << word.toString(); });
    for (qsizetype at = 0; at < bytes.size(); at += 7)
        stream.feed(bytes.sliced(at, std::min<qsizetype>(7, bytes.size() - at)));
    stream.finish();
    if (stream.overlongWords() == 0)
        fuzzCheck(streamed == words, "the stream reads the words the import cuts");
    // With the prose rules it never crashes, and no word is longer than the bound.
    WordStream prose(WordStream::Rules::Prose, [](QStringView word) {
        fuzzCheck(!word.isEmpty() && word.size() <= WordStream::kLongestWord, "a prose word is bounded");
    });
    prose.feed(bytes);
    prose.finish();
    return 0;
}
