// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/WordLimit.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

// Cuts text into words as it arrives, piece by piece: a file of any size, a pipe, a terminal. It holds the word
// being read and the few bytes of a character cut in two at the end of a piece, never the text itself, so an
// endless stream or a 250 MB "word" costs no more memory than a line of prose. A run of word characters longer
// than kLongestWord is no word: it is passed over and counted (overlongWords()).
//
// Two ways of cutting:
// - Prose, as a reader cuts a page: an apostrophe (' or ’) between two letters stays in the word (don't, O'Brien,
//   rock'n'roll), and so does one between a number and a letter (1980's) or before a decade ('80s, not '72); a
//   comma or point between two digits stays (1,000, 3.14). Every other punctuation mark, symbol, space and control
//   character separates, hyphens and dashes included. A soft hyphen inside a word is dropped.
// - Import, as the word-file import cuts (WordTokenizer): ASCII punctuation, blanks, line ends and NUL separate, and
//   so does every punctuation mark, symbol and space outside ASCII. The apostrophe and the hyphen separate.
// Bytes are read as the import reads them: UTF-16 after its byte-order mark, else UTF-8 one sequence at a time with
// a stray byte read as Windows-1252.
class WordStream {
public:
    enum class Rules { Prose, Import };
    // English has no word near this long; a longer run is a hash, a line of base64 or an attack.
    static constexpr qsizetype kLongestWord = WordLimit::kLongestWord;

    using OnWord = std::function<void(QStringView)>;
    WordStream(Rules rules, OnWord onWord);

    // The next bytes of a file.
    void feed(QByteArrayView bytes);
    // The next characters of a text (no bytes may have been fed).
    void feedText(QStringView text);
    // The end of the input: the last word is given, and bytes of an unfinished character are read as they are.
    void finish();

    qsizetype overlongWords() const { return m_overlong; }

    // The words of a whole text.
    static QStringList words(QStringView text, Rules rules);

private:
    enum class Encoding { Unknown, Utf8, Utf16Le, Utf16Be };
    enum class Last { None, Letter, Digit, Other };

    void decodeHeld(bool final);
    void decodeUtf8(QByteArrayView bytes, bool final);
    void decodeUtf16(QByteArrayView bytes, bool final);
    void take(char32_t c);
    void takeProse(char32_t c);
    void append(char32_t c, Last kind);
    void endWord();

    Rules m_rules;
    OnWord m_onWord;
    Encoding m_encoding = Encoding::Unknown;
    QByteArray m_held;             // bytes not yet decoded: the start of the input, or a character cut in two
    QString m_text;                // the decoded characters of the current piece
    char16_t m_high = 0;           // a high surrogate waiting for its low half
    char16_t m_word[kLongestWord]; // the word being read
    qsizetype m_length = 0;
    bool m_tooLong = false;
    Last m_last = Last::None;
    char16_t m_joiner = 0; // an apostrophe, comma or point after the word: kept only if the right character follows
    char16_t m_leadingApostrophe = 0; // an apostrophe before any word: kept only before a digit ('80s)
    qsizetype m_overlong = 0;
};
