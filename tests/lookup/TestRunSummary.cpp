// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "lookup/RunSummary.h"

namespace {

// Adds `count` results alike.
void addMany(RunSummary& summary, int count, bool found, bool estimated, int syllables) {
    for (int i = 0; i < count; ++i)
        summary.add(found, estimated, syllables);
}

} // namespace

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
        addMany(summary, estimated, true, true, 1);
        addMany(summary, ones - estimated, true, false, 1);
        addMany(summary, twos, true, false, 2);
        addMany(summary, notFound, false, false, 0);
        QCOMPARE(summary.text(), text);
        QCOMPARE(summary.words(), qint64(ones + twos + notFound));
        QCOMPARE(summary.notFound(), qint64(notFound));
        summary.clear();
        QCOMPARE(summary.words(), qint64(0));
    }
};

PARVENNA_TEST_MAIN(TestRunSummary)
#include "TestRunSummary.moc"
