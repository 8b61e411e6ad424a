// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "lookup/RunSummary.h"

class TestRunSummary : public QObject {
    Q_OBJECT
private slots:
    // Columns: found words of 1 and of 2 syllables, how many of them estimated, words not found.
    void text_data() {
        QTest::addColumn<int>("ones");
        QTest::addColumn<int>("twos");
        QTest::addColumn<int>("estimated");
        QTest::addColumn<int>("notFound");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing looked up")
            << 0 << 0 << 0 << 0 << "0 words · 0 syllables · 0.00 a word · 0 estimated · 0 not found";
        QTest::newRow("singular") << 1 << 0 << 1 << 0
                                  << "1 word · 1 syllable · 1.00 a word · 1 estimated · 0 not found";
        QTest::newRow("only not found: no average of nothing")
            << 0 << 0 << 0 << 2 << "2 words · 0 syllables · 0.00 a word · 0 estimated · 2 not found";
        QTest::newRow("average over found words only")
            << 1 << 1 << 0 << 2 << "4 words · 3 syllables · 1.50 a word · 0 estimated · 2 not found";
        QTest::newRow("thousands grouped, average rounded")
            << 1530 << 4172 << 212 << 3 << "5,705 words · 9,874 syllables · 1.73 a word · 212 estimated · 3 not found";
    }
    void text() {
        QFETCH(int, ones);
        QFETCH(int, twos);
        QFETCH(int, estimated);
        QFETCH(int, notFound);
        QFETCH(QString, text);
        RunSummary summary;
        for (int i = 0; i < ones + twos + notFound; ++i)
            summary.add(i < ones + twos, i < estimated, i < ones ? 1 : 2);
        QCOMPARE(summary.text(), text);
        QCOMPARE(summary.words(), qint64(ones + twos + notFound));
        QCOMPARE(summary.notFound(), qint64(notFound));
    }
};

PARVENNA_TEST_MAIN(TestRunSummary)
#include "TestRunSummary.moc"
