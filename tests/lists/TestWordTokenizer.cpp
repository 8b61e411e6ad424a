// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/TextCodec.h"
#include "lists/WordTokenizer.h"

#include "TestEnvironment.h"

#include <QRandomGenerator>
#include <QStringDecoder>

namespace {

const QString kSeparators = QStringLiteral("~`!@#$%^&*()_+|-=\\{}[]:\";'<>?,./ \n\r\t");

// The file's text: UTF-8 without its first byte-order mark when valid, else Windows-1252.
QString decodeFile(QByteArrayView bytes) {
    if (!bytes.isValidUtf8())
        return TextCodec::fromWindows1252(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
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
            const bool expected = kSeparators.contains(QChar(c)) || c == 0;
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
        // Cutting the bytes before decoding gives what decoding first would give, for valid UTF-8 and for
        // everything read as Windows-1252.
        const QByteArray pieces[] = {
            "ab",           "c-d",  " ", "\r\n", "\xC3\xA9", "\xE2\x80\x99", "\xE9", "\x80\x9F",
            "\xEF\xBB\xBF", "\xC3", "'", "\x00", "7"};
        QRandomGenerator random(99);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            const int count = random.bounded(12);
            for (int i = 0; i < count; ++i)
                bytes += pieces[random.bounded(int(std::size(pieces)))];
            QCOMPARE(WordTokenizer::wordsOfFile(bytes), WordTokenizer::words(decodeFile(bytes)));
        }
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
        QTest::newRow("Windows-1252") << QByteArray("caf\xE9 na\xEFve \x80uro") << QStringList{"café", "naïve", "€uro"};
        QTest::newRow("curly apostrophe stays") << QByteArray("don\xE2\x80\x99t") << QStringList{"don’t"};
        QTest::newRow("one bad byte makes all 1252")
            << QByteArray("caf\xC3\xA9 \xE9t\xE9") << QStringList{QString::fromLatin1("caf\xC3\xA9"), "été"};
    }
    void byteOrderMarkAndCodePage() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, words);
        QCOMPARE(WordTokenizer::wordsOfFile(bytes), words);
    }
};

PARVENNA_TEST_MAIN(TestWordTokenizer)
#include "TestWordTokenizer.moc"
