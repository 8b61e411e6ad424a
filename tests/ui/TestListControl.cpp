// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "ui/ListControl.h"
#include "ui/ProgressBar.h"

#include "TestEnvironment.h"

class TestListControl : public QObject {
    Q_OBJECT
private slots:
    void emptyList() {
        ListControl list;
        list.addColumn(QStringLiteral("Results"));
        list.addColumn(QStringLiteral("Syllables Count"));
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(list.currentRow(), 0);
        QVERIFY_THROWS_EXCEPTION(AppError, list.text(1));
    }

    void rowsAndSubItems() {
        ListControl list;
        list.addColumn(QStringLiteral("Results"));
        list.addColumn(QStringLiteral("Syllables Count"));
        QCOMPARE(list.addRow(QStringLiteral("a")), 1);
        QCOMPARE(list.addRow(QStringLiteral("b")), 2);
        QCOMPARE(list.subItem(1, 1), QString()); // never set
        QVERIFY(!list.checked(1));               // added without check mark
        list.setSubItem(2, 1, QStringLiteral("2"));
        list.setChecked(2, true);
        QCOMPARE(list.cell(2, 1), QStringLiteral("b"));
        QCOMPARE(list.cell(2, 2), QStringLiteral("2"));
        QVERIFY(list.checked(2));
        QCOMPARE(list.columnTitle(2), QStringLiteral("Syllables Count"));
        QVERIFY_THROWS_EXCEPTION(AppError, list.columnTitle(3));
        QVERIFY_THROWS_EXCEPTION(AppError, list.setSubItem(3, 1, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(AppError, list.subItem(1, 0));
    }

    void removeKeepsOrder() {
        ListControl list;
        list.addColumn(QStringLiteral(" Words"));
        list.addRows({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
        list.removeRow(1);
        QCOMPARE(list.texts(), (QStringList{"two", "three"}));
        QVERIFY_THROWS_EXCEPTION(AppError, list.removeRow(3));
        list.setCurrentRow(2);
        QCOMPARE(list.currentRow(), 2);
        list.clear();
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(list.currentRow(), 0);
    }

    void aMillionRows() {
        ListControl list;
        list.addColumn(QStringLiteral(" Words"));
        QStringList words;
        for (int i = 0; i < 1000000; ++i)
            words << QString::number(i);
        list.addRows(words);
        QCOMPARE(list.rowCount(), 1000000);
        QCOMPARE(list.text(1000000), QStringLiteral("999999"));
        list.ensureRowVisible(1000000);
    }

    void progressBar_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("shown");
        QTest::addColumn<int>("barValue");
        QTest::newRow("zero") << 0.0 << 0.0 << 0;
        QTest::newRow("fraction kept") << 33.37 << 33.37 << 334;
        QTest::newRow("above 100 clamped") << 100.04 << 100.0 << 1000;
        QTest::newRow("negative") << -5.0 << 0.0 << 0;
    }
    void progressBar() {
        QFETCH(double, value);
        QFETCH(double, shown);
        QFETCH(int, barValue);
        ProgressBar bar;
        bar.setProgress(value);
        QCOMPARE(bar.progress(), shown);
        QCOMPARE(bar.value(), barValue);
    }

    void progressText() {
        ProgressBar bar;
        QCOMPARE(bar.barText(), QStringLiteral("Progress Bar"));
        bar.setBarText(QStringLiteral("Processing: 100% cotton"));
        QCOMPARE(bar.text(), QStringLiteral("Processing: 100% cotton"));
        bar.rest();
        QCOMPARE(bar.progress(), 0.0);
        QCOMPARE(bar.text(), QStringLiteral("Progress Bar"));
    }

    // A text wider than the bar is drawn smaller, whole; a text that fits keeps the bar's font.
    void progressTextFits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("smaller");
        QTest::newRow("fits") << "4 words" << false;
        QTest::newRow("too wide") << "1,234,567 words · 2,345,678 syllables · 1.90 a word · 12,345 not found" << true;
    }
    void progressTextFits() {
        QFETCH(QString, text);
        QFETCH(bool, smaller);
        ProgressBar bar;
        bar.resize(300, 27);
        bar.setBarText(text);
        const QFont font = bar.textFont();
        QCOMPARE(font.pointSizeF() < bar.font().pointSizeF(), smaller);
        QVERIFY(QFontMetrics(font).horizontalAdvance(text) < bar.width());
    }
};

PARVENNA_TEST_MAIN(TestListControl)
#include "TestListControl.moc"
