// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/WordTokenizer.h"

#include "TestEnvironment.h"

#include <QRandomGenerator>

Q_DECLARE_METATYPE(std::vector<QByteArray>)

namespace {

QStringList wordsOf(const WordBlock& block) {
    QStringList words;
    for (qsizetype i = 0; i < block.size(); ++i)
        words << block.word(i);
    return words;
}

QByteArray randomBytes(QRandomGenerator& random, const std::vector<QByteArray>& pieces) {
    QByteArray bytes;
    const int count = random.bounded(16);
    for (int i = 0; i < count; ++i)
        bytes += pieces[static_cast<size_t>(random.bounded(int(pieces.size())))];
    return bytes;
}

} // namespace

// The pooled words of a file must be exactly the words of the one-string-per-word reading.
class TestWordBlock : public QObject {
    Q_OBJECT
private slots:
    void sameWordsAsTheListReading_data() {
        QTest::addColumn<std::vector<QByteArray>>("pieces");
        QTest::newRow("plain ASCII") << std::vector<QByteArray>{"ab", "c-d", " ", "\r\n", "'", "7", "x", "\t\t", "."};
        QTest::newRow("ASCII with NUL and control characters")
            << std::vector<QByteArray>{"w", QByteArray(1, '\0'), "\x1A", "\x7F", "~", "q"};
        QTest::newRow("UTF-8 and marks") << std::vector<QByteArray>{
            "ab", " ", "\xC3\xA9", "\xE2\x80\x99", "\xEF\xBB\xBF", "\xF0\x9F\x98\x80", "-"};
        QTest::newRow("Windows-1252") << std::vector<QByteArray>{"ab", " ", "\xE9", "\x80\x9F", "\xC3", "'", ","};
        QTest::newRow("UTF-8 with stray bytes") << std::vector<QByteArray>{
            "ab", " ", "\xC3\xA9", "\xE9", "\xE2\x80", "\xF0\x9F\x98\x80", "\xED\xA0\x80", "-", "\xEF\xBB\xBF"};
    }
    void sameWordsAsTheListReading() {
        QFETCH(std::vector<QByteArray>, pieces);
        QRandomGenerator random(4711);
        for (int round = 0; round < 3000; ++round) {
            const QByteArray bytes = randomBytes(random, pieces);
            const WordBlock block = WordTokenizer::wordBlockOfFile(bytes);
            QCOMPARE(wordsOf(block), WordTokenizer::wordsOfFile(bytes));
            QVERIFY(block.coveredCharacters() == block.pool.size()); // nothing but the words in the pool
        }
    }

    void edges_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only separators") << QByteArray(" ,.\r\n\t");
        QTest::newRow("one word, no separator") << QByteArray("word");
        QTest::newRow("word at both ends") << QByteArray("a b");
        QTest::newRow("mark then ASCII") << QByteArray("\xEF\xBB\xBF"
                                                       "one two");
        QTest::newRow("mark alone") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("UTF-16 mark alone") << QByteArray("\xFF\xFE");
        QTest::newRow("UTF-16, two words") << QByteArray("\xFE\xFF\0a\0 \0b", 8);
        QTest::newRow("UTF-16, odd length") << QByteArray("\xFF\xFEo\0k", 5);
    }
    void edges() {
        QFETCH(QByteArray, bytes);
        QCOMPARE(wordsOf(WordTokenizer::wordBlockOfFile(bytes)), WordTokenizer::wordsOfFile(bytes));
    }
};

PARVENNA_TEST_MAIN(TestWordBlock)
#include "TestWordBlock.moc"
