// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WordBlock.h"

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>
#include <array>

// Cuts word file text into words. A word is a maximal run of characters outside the separator set: the
// space, tab, line feed, carriage return, the punctuation ~`!@#$%^&*()_+|-={}[]:";'<>?,./ and the backslash,
// and their Unicode kin: every punctuation mark, symbol and space outside ASCII (curly quotes, dashes, the
// ellipsis, the no-break space, bullets, box drawing). A word with such a character glued to it could never be
// found. The NUL character separates too: it never belongs to a word of a text file, and a row holding one could
// neither be saved with the word list nor handed to the dictionary lookup. Every other character, digits and
// letters outside ASCII included, belongs to the word. One pass over the input with a 256-entry table; the
// characters outside it are looked up in Unicode's categories.
class WordTokenizer {
public:
    static bool isSeparator(char16_t c) noexcept { return c < kTableSize ? kSeparators[c] : isUnicodeSeparator(c); }
    // The same for a whole code point (a character outside the first plane, such as an emoji, is a symbol).
    static bool isSeparatorCodePoint(char32_t c) noexcept {
        return c < kTableSize ? kSeparators[c] : isUnicodeSeparator(c);
    }
    // A punctuation mark, symbol or space: what separates words in any text.
    static bool isUnicodeSeparator(char32_t c) noexcept;

    // The words of a text, in order.
    static QStringList words(QStringView text);

    // The words of a word file's bytes, in order: the words of the file's text as TextCodec::decodeText reads it
    // (UTF-16 after its byte-order mark, else UTF-8 one sequence at a time with stray bytes as Windows-1252).
    static QStringList wordsOfFile(QByteArrayView bytes);

    // The same words held back to back in one pool (for appending a whole file to a list), cut from the bytes
    // before they are decoded.
    static WordBlock wordBlockOfFile(QByteArrayView bytes);

    // The words of a text held back to back in one pool.
    static WordBlock wordBlock(QStringView text);

    static constexpr const char* kPunctuation = "~`!@#$%^&*()_+|-=\\{}[]:\";'<>?,./";

private:
    static constexpr char16_t kTableSize = 256;
    static const std::array<bool, kTableSize> kSeparators;
};
