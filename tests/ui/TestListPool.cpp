// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "ui/ListControl.h"

#include "TestEnvironment.h"

#include <QRandomGenerator>

namespace {

const ListModel& modelOf(const ListControl& list) {
    return *qobject_cast<const ListModel*>(list.model());
}

qsizetype charactersOf(const QStringList& texts) {
    qsizetype characters = 0;
    for (const QString& text : texts)
        characters += text.size();
    return characters;
}

// A block whose pool holds "xx<word>," for every word, so that it carries unused characters too.
WordBlock blockOf(const QStringList& words) {
    WordBlock block;
    for (const QString& word : words) {
        block.pool += QStringLiteral("xx");
        block.spans.push_back({block.pool.size(), word.size()});
        block.pool += word + QLatin1Char(',');
    }
    return block;
}

} // namespace

// The list keeps its main texts in one pool: what goes in must come out, whatever was removed meanwhile,
// and the pool must not grow without bound.
class TestListPool : public QObject {
    Q_OBJECT
private slots:
    void blocksAppendAfterRows() {
        ListControl list;
        list.addColumn(QStringLiteral(" Words"));
        list.addRows(blockOf({"first", "", "é€"}));
        list.addRows(QStringList{"mid"});
        list.addRows(blockOf({"last"}));
        list.addRows(WordBlock{});
        QCOMPARE(list.texts(), (QStringList{"first", "", "é€", "mid", "last"}));
        QCOMPARE(list.cell(3, 1), QStringLiteral("é€"));
        QCOMPARE(modelOf(list).data(modelOf(list).index(4, 0), Qt::DisplayRole).toString(), QStringLiteral("last"));
    }

    void aSpanOutsideThePoolAddsNothing_data() {
        QTest::addColumn<qsizetype>("offset");
        QTest::addColumn<qsizetype>("length");
        QTest::newRow("past the end") << qsizetype(3) << qsizetype(2);
        QTest::newRow("negative offset") << qsizetype(-1) << qsizetype(1);
        QTest::newRow("negative length") << qsizetype(0) << qsizetype(-1);
        QTest::newRow("huge length") << qsizetype(1) << std::numeric_limits<qsizetype>::max();
    }
    void aSpanOutsideThePoolAddsNothing() {
        QFETCH(qsizetype, offset);
        QFETCH(qsizetype, length);
        ListControl list;
        list.addRow(QStringLiteral("kept"));
        WordBlock block;
        block.pool = QStringLiteral("abcd");
        block.spans = {{0, 2}, {offset, length}};
        QVERIFY_THROWS_EXCEPTION(AppError, list.addRows(block));
        QCOMPARE(list.texts(), QStringList{"kept"});
    }

    void removingAndAddingKeepsThePoolSmall() {
        ListControl list;
        list.addColumn(QStringLiteral(" Words"));
        QStringList expected;
        for (int i = 0; i < 2000; ++i)
            expected << QStringLiteral("word%1").arg(i);
        list.addRows(blockOf(expected));
        QRandomGenerator random(7);
        for (int round = 0; round < 20000; ++round) {
            if (expected.size() > 1000 && random.bounded(2) == 0) {
                const int row = random.bounded(int(expected.size()));
                list.removeRow(row + 1);
                expected.removeAt(row);
            } else {
                const QString word = QStringLiteral("new%1").arg(round);
                QCOMPARE(list.addRow(word), expected.size() + 1);
                expected << word;
            }
            if (expected.size() > 1100) {
                list.removeRow(1);
                expected.removeFirst();
            }
            const qsizetype pool = modelOf(list).poolSize();
            QVERIFY2(pool <= 2 * charactersOf(expected) + 16, qPrintable(QString::number(pool)));
        }
        QCOMPARE(list.texts(), expected);
        list.clear();
        QCOMPARE(modelOf(list).poolSize(), 0);
        list.addRows(blockOf({"again"}));
        QCOMPARE(list.texts(), QStringList{"again"});
    }

    void subItemsAndChecksFollowTheirRows() {
        ListControl list;
        list.addColumn(QStringLiteral(" Word"));
        list.addColumn(QStringLiteral("Syllables Count"));
        list.addRows(blockOf({"a", "b", "c", "d"}));
        list.setSubItem(3, 1, QStringLiteral("3"));
        list.setChecked(3, true);
        list.setChecked(4, true);
        list.removeRow(1);
        list.removeRow(1);
        QCOMPARE(list.texts(), (QStringList{"c", "d"}));
        QCOMPARE(list.subItem(1, 1), QStringLiteral("3"));
        QVERIFY(list.checked(1) && list.checked(2));
        QCOMPARE(list.subItem(2, 1), QString());
        list.addRow(QStringLiteral("e"));
        QVERIFY(!list.checked(3));
        QCOMPARE(list.subItem(3, 1), QString());
    }
};

PARVENNA_TEST_MAIN(TestListPool)
#include "TestListPool.moc"
