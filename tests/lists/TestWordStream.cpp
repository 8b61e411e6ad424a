// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/WordStream.h"
#include "lists/WordTokenizer.h"

#include "TestEnvironment.h"

#include <QRandomGenerator>

namespace {

// The words of bytes fed to a stream in pieces of the given size (0: all at once).
QStringList streamed(const QByteArray& bytes, WordStream::Rules rules, qsizetype piece, qsizetype* overlong = nullptr) {
    QStringList words;
    WordStream stream(rules, [&](QStringView word) { words << word.toString(); });
    for (qsizetype at = 0; at<bytes.size(); at += piece> 0 ? piece : bytes.size())
        stream.feed(QByteArrayView(bytes).sliced(at, std::min(piece > 0 ? piece : bytes.size(), bytes.size() - at)));
    stream.finish();
    if (overlong)
        *overlong = stream.overlongWords();
    return words;
}

} // namespace

class TestWordStream : public QObject {
    Q_OBJECT
private slots:
    void prose_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("apostrophe between letters")
            << "don't O’Brien rock'n'roll" << QStringList{"don't", "O’Brien", "rock'n'roll"};
        QTest::newRow("apostrophe at the ends")
            << "'quoted' students' ’tis" << QStringList{"quoted", "students", "tis"};
        QTest::newRow("decades") << "’80s 1980's '72" << QStringList{"’80s", "1980's", "72"};
        QTest::newRow("digit groups") << "1,000 3.14 end. 5, 6" << QStringList{"1,000", "3.14", "end", "5", "6"};
        QTest::newRow("dashes and hyphens")
            << "said—quietly well-being a–b" << QStringList{"said", "quietly", "well", "being", "a", "b"};
        QTest::newRow("quotes, ellipsis, no-break space")
            << "“Hello,” wait… a\u00A0b" << QStringList{"Hello", "wait", "a", "b"};
        QTest::newRow("symbols and controls")
            << "$66 5% a\u0001b •c ─d 🙂e" << QStringList{"66", "5", "a", "b", "c", "d", "e"};
        QTest::newRow("soft hyphen dropped") << "encyclo\u00ADpedia" << QStringList{"encyclopedia"};
        QTest::newRow("combining accent stays") << "cafe\u0301's" << QStringList{"cafe\u0301's"};
    }
    void prose() {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QCOMPARE(WordStream::words(text, WordStream::Rules::Prose), words);
        // The same from UTF-8 bytes fed one byte at a time: nothing depends on where a piece ends.
        QCOMPARE(streamed(text.toUtf8(), WordStream::Rules::Prose, 1), words);
    }

    // Cut in pieces of any size, the words are those of the whole input; with the import's rules, those of the
    // import itself.
    void piecesDoNotMatter() {
        const QString alphabet = QStringLiteral("ab Z9',.-’é€\u00A0🙂\n") + QChar(0);
        QRandomGenerator random(77);
        for (int round = 0; round < 500; ++round) {
            QString text;
            for (int i = random.bounded(40); i > 0; --i)
                text += alphabet.mid(random.bounded(int(alphabet.size())), 1);
            QByteArray bytes = text.toUtf8();
            if (round % 5 == 0)
                bytes.insert(random.bounded(int(bytes.size()) + 1), '\xE9'); // a stray Windows-1252 byte
            const qsizetype piece = random.bounded(1, 8);
            for (const auto rules : {WordStream::Rules::Prose, WordStream::Rules::Import})
                QCOMPARE(streamed(bytes, rules, piece), streamed(bytes, rules, 0));
            QCOMPARE(streamed(bytes, WordStream::Rules::Import, piece), WordTokenizer::wordsOfFile(bytes));
        }
    }

    void utf16WithItsMark() {
        QByteArray bytes("\xFF\xFE");
        for (const QChar c : QStringLiteral("don’t stop"))
            bytes += char(c.unicode() & 0xFF), bytes += char(c.unicode() >> 8);
        QCOMPARE(streamed(bytes, WordStream::Rules::Prose, 3), (QStringList{"don’t", "stop"}));
    }

    void overlongRunsArePassedOver() {
        qsizetype overlong = 0;
        const QByteArray bytes = "a " + QByteArray(WordStream::kLongestWord + 1, 'b') + " " +
                                 QByteArray(WordStream::kLongestWord, 'c') + " d";
        const QStringList words = streamed(bytes, WordStream::Rules::Prose, 64, &overlong);
        QCOMPARE(words.size(), 3);
        QCOMPARE(words[1].size(), WordStream::kLongestWord);
        QCOMPARE(overlong, 1);
    }
};

PARVENNA_TEST_MAIN(TestWordStream)
#include "TestWordStream.moc"
