// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputTestWindow.h"
#include "TestEnvironment.h"
#include "output/ClipboardCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

const QString kBefore = QStringLiteral("held before the copy");

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

QString spaces(int count) {
    return QString(count, QLatin1Char(' '));
}

} // namespace

class TestClipboardCopy : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->setText(kBefore); }

    void text_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("expected");
        const QStringList results{"Results", "Syllables Count"};
        // A checked row of 7 and 1 characters; the unchecked row of 12 characters widens column 1 only.
        QTest::newRow("worked example") << results << QStringList{"+abcdefg|1", "abcdefghijkl|1"}
                                        << "abcdefg" + spaces(5) + "\t1\r\n";
        QTest::newRow("titles do not widen, never appear")
            << results << QStringList{"+ba\u00b7by|2", "+cat|1"} << QString("ba\u00b7by\t2\r\ncat  \t1\r\n");
        QTest::newRow("not found row widens column 1, gives no line")
            << results << QStringList{"+cat|1", "zyzzyvas|Not Found", "+dog|12"}
            << "cat" + spaces(5) + "\t1\r\ndog" + spaces(5) + "\t12\r\n";
        QTest::newRow("last field padded by nobody")
            << results << QStringList{"+a|1", "+b|123"} << QString("a\t1\r\nb\t123\r\n");
        QTest::newRow("trailing spaces of the last cell's own text go")
            << results << QStringList{"+a|1  ", "+b|2"} << QString("a\t1\r\nb\t2\r\n");
        QTest::newRow("last cell empty ends in the tab before it")
            << results << QStringList{"+a|", "+bb|2"} << QString("a \t\r\nbb\t2\r\n");
        QTest::newRow("single column: no tabs")
            << QStringList{"Words"} << QStringList{"+ab", "+abcd", "xyzxyz"} << QString("ab\r\nabcd\r\n");
        QTest::newRow("single column of blanks")
            << QStringList{"Words"} << QStringList{"+ab", "+   "} << QString("ab\r\n\r\n");
        QTest::newRow("tabs, line breaks, non-Latin and formula-like texts kept")
            << results << QStringList{"+a\tb|=1+1", "+\u0441\u043b\u043e\u0433|@x", "+x\r\ny|-2"}
            << QString("a\tb \t=1+1\r\n\u0441\u043b\u043e\u0433\t@x\r\nx\r\ny\t-2\r\n");
        QTest::newRow("three columns") << QStringList{"A", "B", "C"} << QStringList{"+a|bb|c", "+aaa|b|"}
                                       << QString("a  \tbb\tc\r\naaa\tb \t\r\n");
    }
    void text() {
        QFETCH(QStringList, titles);
        QFETCH(QStringList, rows);
        QFETCH(QString, expected);
        ListControl list;
        setUpList(list, titles, rows);
        ClipboardCopy::CopyListviewProperlySpaced(list);
        QCOMPARE(clipboardText(), expected);
    }

    void emptyListLeavesClipboard() {
        OutputTestWindow w;
        ClipboardCopy(w.window).PushButton5_Click();
        QCOMPARE(clipboardText(), kBefore);
        QVERIFY(w.dialogs().boxes.isEmpty());
        QVERIFY(w.pointer.changes.isEmpty());
    }

    void noneCheckedGivesEmptyText() {
        OutputTestWindow w;
        fillList(w.results, {"a|1", "b|2"});
        ClipboardCopy(w.window).PushButton5_Click();
        QCOMPARE(clipboardText(), QString());
        QVERIFY(w.dialogs().boxes.isEmpty());
    }

    void handlerCopiesResults() {
        OutputTestWindow w;
        fillList(w.results, {"+ba\u00b7by|2", "+el\u00b7e\u00b7phant|3", "zzz|Not Found"});
        ClipboardCopy(w.window).PushButton5_Click();
        QCOMPARE(clipboardText(), QString("ba\u00b7by     \t2\r\nel\u00b7e\u00b7phant\t3\r\n"));
        QVERIFY(w.dialogs().boxes.isEmpty());
        QVERIFY(w.pointer.changes.isEmpty()); // the pointer is not touched
    }

    void ignoredWhileBusy() {
        OutputTestWindow w;
        fillList(w.results, {"+baby|2"});
        w.pointer.setPointer(MousePointer::Hourglass);
        ClipboardCopy(w.window).PushButton5_Click();
        QCOMPARE(clipboardText(), kBefore);
    }

    // A handler run during one of the copy's yields clears the results: one report at step 106, and the
    // clipboard keeps what it held.
    void listClearedWhileCopying() {
        OutputTestWindow w;
        QStringList rows;
        for (int i = 0; i < 400000; ++i)
            rows << QStringLiteral("+word%1|2").arg(i);
        fillList(w.results, rows);
        bool cleared = false;
        QTimer::singleShot(0, &w.results, [&] {
            w.results.clear();
            cleared = true;
        });
        ClipboardCopy(w.window).PushButton5_Click();
        if (!cleared)
            QSKIP("the copy finished before its first yield on this machine");
        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().startsWith(QStringLiteral("Subscript out of range\r\n")), qPrintable(reports.first()));
        QVERIFY(reports.first().contains(QStringLiteral(".Form1.PushButton5_Click at line 106\r\r")));
        QCOMPARE(clipboardText(), kBefore);
    }

    void retryProcedures() {
        ClipboardCopy::ClipboardClearRetry();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(!data || !data->hasText() || data->text().isEmpty());

        QVERIFY(ClipboardCopy::ClipboardSetTextRetry(QStringLiteral("plain"), 0));
        QCOMPARE(clipboardText(), QStringLiteral("plain"));
        QVERIFY(ClipboardCopy::ClipboardSetTextRetry(QStringLiteral("unicode \u00b7"), 13));
        QCOMPARE(clipboardText(), QStringLiteral("unicode \u00b7"));
        QVERIFY(ClipboardCopy::ClipboardSetTextRetry(QStringLiteral("own \u00b7"), 49321));
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("application/x-clipboard-format-49321")),
                 QByteArray("own \xc2\xb7"));
    }
};

PARVENNA_TEST_MAIN(TestClipboardCopy)
#include "TestClipboardCopy.moc"
