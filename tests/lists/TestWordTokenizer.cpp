// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/TextCodec.h"
#include "lists/WordTokenizer.h"

#include "TestEnvironment.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QString kSeparators = QStringLiteral("~`!@#$%^&*()_+|-=\\{}[]:\";'<>?,./ \n\r\t");

// Outside ASCII, punctuation, symbols and spaces separate as their ASCII kin do (Qt's own reading of the categories).
bool separatesOutsideAscii(QChar c) {
    return c.unicode() >= 0x80 && (c.isPunct() || c.isSymbol() || c.category() == QChar::Separator_Space ||
                                   c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph);
}

// The text of a file read one UTF-8 sequence at a time, the plain way: at each byte, the shortest run of one to
// four bytes that Qt takes for valid UTF-8 is one character, and a byte that begins no such run is Windows-1252.
QString referenceDecode(QByteArrayView bytes) {
    QString text;
    qsizetype i = 0;
    while (i < bytes.size()) {
        qsizetype length = 1;
        while (length <= 4 && i + length <= bytes.size() && !bytes.sliced(i, length).isValidUtf8())
            ++length;
        if (length > 4 || i + length > bytes.size()) {
            text += TextCodec::fromWindows1252(bytes.sliced(i, 1));
            ++i;
            continue;
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        text += decoder.decode(bytes.sliced(i, length));
        i += length;
    }
    return text;
}

// A word file's text the plain way: its UTF-8 byte-order mark dropped, the rest read by referenceDecode.
QString decodeFile(QByteArrayView bytes) {
    return referenceDecode(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes);
}

// The plain way to get the words: each line, and each part of it between line feeds, has every separator
// replaced by a blank, one separator after another, and is then cut at the blanks.
QStringList referenceWords(const QString& text) {
    QStringList words;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    for (const QString& line : normalised.split(QLatin1Char('\r'))) {
        for (QString piece : line.split(QLatin1Char('\n'))) {
            for (const QChar separator : kSeparators)
                piece.replace(separator, QLatin1Char(' '));
            piece.replace(QChar(0), QLatin1Char(' '));
            for (QChar& c : piece)
                if (separatesOutsideAscii(c))
                    c = QLatin1Char(' ');
            for (const QString& part : piece.split(QLatin1Char(' ')))
                if (!part.isEmpty())
                    words << part;
        }
    }
    return words;
}

} // namespace

class TestWordTokenizer : public QObject {
    Q_OBJECT
private slots:
    void separatorSet() {
        QCOMPARE(kSeparators.size(), 36);
        for (char16_t c = 0; c < 0x3000; ++c) {
            const bool expected = kSeparators.contains(QChar(c)) || c == 0 || separatesOutsideAscii(QChar(c));
            QVERIFY2(WordTokenizer::isSeparator(c) == expected, qPrintable(QString::number(c, 16)));
        }
        // Every separator ends a word exactly like a blank.
        QString text = QStringLiteral("w");
        for (const QChar separator : kSeparators)
            text += separator + QStringLiteral("w");
        QCOMPARE(WordTokenizer::words(text), QStringList(37, QStringLiteral("w")));
    }

    void matchesTheReplaceAndSplitReading() {
        // Random texts over separators, word characters and characters outside ASCII.
        const QString alphabet = kSeparators + QStringLiteral("abcXYZ09éß€\u2019\u00A0") + QChar(0) + QChar(0x1A);
        QRandomGenerator random(20240611);
        for (int round = 0; round < 3000; ++round) {
            QString text;
            const int length = random.bounded(60);
            for (int i = 0; i < length; ++i)
                text += alphabet[random.bounded(int(alphabet.size()))];
            QCOMPARE(WordTokenizer::words(text), referenceWords(text));
        }
    }

    void bytesDecodeLikeTheWholeFile() {
        // Cutting the bytes before decoding gives what decoding first would give: for valid UTF-8, for stray bytes
        // among it, for cut-off, overlong and surrogate sequences, and for byte-order marks anywhere.
        const QByteArray pieces[] = {"ab",
                                     "c-d",
                                     " ",
                                     "\r\n",
                                     "\xC3\xA9",
                                     "\xE2\x80\x99",
                                     "\xE9",
                                     "\x80\x9F",
                                     "\xEF\xBB\xBF",
                                     "\xC3",
                                     "'",
                                     "\x00",
                                     "7",
                                     "\xF0\x9F\x98\x80",
                                     "\xE2\x80",
                                     "\xC0\xAF",
                                     "\xED\xA0\x80",
                                     "\xF4\x90\x80\x80",
                                     "\xFF\xFE",
                                     "\xFE\xFF"};
        QRandomGenerator random(99);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            const int count = random.bounded(12);
            for (int i = 0; i < count; ++i)
                bytes += pieces[random.bounded(int(std::size(pieces)))];
            if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
                bytes.prepend(' '); // UTF-16 files are read whole; see utf16Files
            const QStringList expected = WordTokenizer::words(decodeFile(bytes));
            QCOMPARE(WordTokenizer::wordsOfFile(bytes), expected);
            QCOMPARE(TextCodec::fromUtf8OrWindows1252(bytes), referenceDecode(bytes));
        }
    }

    void utf16Files_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("words");
        // What Notepad saves as "Unicode": little-endian with a byte-order mark.
        QStringEncoder littleEndian(QStringEncoder::Utf16LE);
        const QByteArray notepad =
            "\xFF\xFE" + QByteArray(littleEndian(QStringLiteral("caf\u00E9 na\u00EFve\r\nrock'n'roll")));
        QTest::newRow("little-endian") << notepad << QStringList{"café", "naïve", "rock", "n", "roll"};
        QTest::newRow("big-endian") << QByteArray("\xFE\xFF\0a\0 \x20\x19\0b\xD8\x3D\xDE\x00", 14)
                                    << QStringList{"a", "b"};
        QTest::newRow("mark alone") << QByteArray("\xFF\xFE") << QStringList{};
        QTest::newRow("NUL units separate") << QByteArray("\xFF\xFE"
                                                          "a\0\0\0b\0",
                                                          8)
                                            << QStringList{"a", "b"};
        QTest::newRow("a second mark is a character, as in UTF-8") << QByteArray("\xFE\xFF\xFE\xFF\0a", 6)
                                                                   << QStringList{QStringLiteral("\xFEFF"
                                                                                                 "a")};
        QTest::newRow("a lone high surrogate does not take the separator after it")
            << QByteArray("\xFF\xFE"
                          "a\0\x3D\xD8\0\0b\0",
                          10)
            << QStringList{QStringLiteral("a\xD83D"), "b"};
    }
    void utf16Files() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, words);
        QCOMPARE(WordTokenizer::wordsOfFile(bytes), words);
        const WordBlock block = WordTokenizer::wordBlockOfFile(bytes);
        QStringList pooled;
        for (qsizetype i = 0; i < block.size(); ++i)
            pooled << block.word(i);
        QCOMPARE(pooled, words);
    }

    void byteOrderMarkAndCodePage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF"
                                                       "caf\xC3\xA9 ok")
                                         << QStringList{"café", "ok"};
        QTest::newRow("no-break space after the mark")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                          "a \xEF\xBB\xBF")
            << QStringList{QChar(0xFEFF) + QStringLiteral("a"), QString(QChar(0xFEFF))};
        QTest::newRow("UTF-8 mark alone") << QByteArray("\xEF\xBB\xBF") << QStringList{};
        QTest::newRow("Windows-1252") << QByteArray("caf\xE9 na\xEFve \x80uro") << QStringList{"café", "naïve", "uro"};
        QTest::newRow("curly apostrophe separates like the straight one")
            << QByteArray("don\xE2\x80\x99t") << QStringList{"don", "t"};
        QTest::newRow("curly quotes, dashes, ellipsis, no-break space, bullet, emoji")
            << QByteArray("\xE2\x80\x9C"
                          "Hello\xE2\x80\x9D\xE2\x80\x94world\xE2\x80\xA6 a\xC2\xA0"
                          "b \xE2\x80\xA2"
                          "c\xF0\x9F\x99\x82"
                          "d")
            << QStringList{"Hello", "world", "a", "b", "c", "d"};
        QTest::newRow("one stray byte spoils only itself")
            << QByteArray("caf\xC3\xA9 \xE9t\xE9 na\xC3\xAFve") << QStringList{"café", "été", "naïve"};
        QTest::newRow("mark, then a stray byte") << QByteArray("\xEF\xBB\xBF"
                                                               "caf\xC3\xA9 \xE9")
                                                 << QStringList{"café", "é"};
    }
    void byteOrderMarkAndCodePage() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, words);
        QCOMPARE(WordTokenizer::wordsOfFile(bytes), words);
    }
};

PARVENNA_TEST_MAIN(TestWordTokenizer)
#include "TestWordTokenizer.moc"
