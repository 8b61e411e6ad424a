// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSpreadsheet.h"
#include "OutputTestWindow.h"
#include "TestEnvironment.h"
#include "output/ExcelExport.h"

namespace {

const QStringList kTitleRow{"workbook", "cell 1 1 Results", "fit 1", "cell 1 2 Syllables Count", "fit 2"};

QStringList withTitles(const QStringList& rest) {
    return kTitleRow + rest;
}

} // namespace

class TestExcelExport : public QObject {
    Q_OBJECT
private:
    // Runs the handler over the given result rows (see fillList).
    void press(OutputTestWindow& w, FakeSpreadsheetProvider& provider, const QStringList& rows) {
        fillList(w.results, rows);
        ExcelExport(w.window, provider).PushButton13_Click();
    }

private slots:
    void sheetLayout_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("rows 1 and 3 checked: sheet row 3 stays empty")
            << QStringList{"+ba\u00b7by|2", "cat|Not Found", "+dog|1"}
            << withTitles({"cell 2 1 ba\u00b7by", "cell 2 2 2", "cell 4 1 dog", "cell 4 2 1", "fit all", "visible 1"});
        QTest::newRow("'=' goes from the second column on, stays in the first")
            << QStringList{"+=a=b|=1=2", "+c|x=y="}
            << withTitles({"cell 2 1 =a=b", "cell 2 2 12", "cell 3 1 c", "cell 3 2 xy", "fit all", "visible 1"});
        QTest::newRow("none checked: titles only, still shown")
            << QStringList{"a|1", "b|2"} << withTitles({"fit all", "visible 1"});
        QTest::newRow("unset sub-item is handed over empty")
            << QStringList{"+word"} << withTitles({"cell 2 1 word", "cell 2 2 ", "fit all", "visible 1"});
    }
    void sheetLayout() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, calls);
        OutputTestWindow w;
        FakeSpreadsheetProvider provider;
        press(w, provider, rows);
        QCOMPARE(provider.log.calls, calls);
        QCOMPARE(provider.created, 2); // the probe's, released at once, and the export's
        QVERIFY(w.dialogs().boxes.isEmpty());
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
    }

    void titlesKeepTheirText() {
        OutputTestWindow w({"=Word", "Count=", "Third"}); // titles are written as they are
        FakeSpreadsheetProvider provider;
        press(w, provider, {"+a|b=|=c"});
        QCOMPARE(provider.log.calls,
                 (QStringList{"workbook", "cell 1 1 =Word", "fit 1", "cell 1 2 Count=", "fit 2", "cell 1 3 Third",
                              "fit 3", "cell 2 1 a", "cell 2 2 b", "cell 2 3 c", "fit all", "visible 1"}));
    }

    void emptyListDoesNothing() {
        OutputTestWindow w;
        FakeSpreadsheetProvider provider;
        press(w, provider, {});
        QCOMPARE(provider.created, 1); // the probe ran
        QVERIFY(provider.log.calls.isEmpty());
        QVERIFY(w.dialogs().boxes.isEmpty());
        QVERIFY(w.pointer.changes.isEmpty());
    }

    // One message that names what is missing; then, where workbooks can be saved as files, a save dialog.
    void notInstalled_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("filesSaved");
        QTest::newRow("no object") << int(FakeSpreadsheetProvider::Mode::Absent) << false;
        QTest::newRow("creation fails") << int(FakeSpreadsheetProvider::Mode::Throws) << false;
        QTest::newRow("no object, saved as a file") << int(FakeSpreadsheetProvider::Mode::Absent) << true;
    }
    void notInstalled() {
        QFETCH(int, mode);
        QFETCH(bool, filesSaved);
        OutputTestWindow w;
        w.window.setApplicationTitle(QStringLiteral("Parvenna Title"));
        FakeSpreadsheetProvider provider;
        provider.mode = static_cast<FakeSpreadsheetProvider::Mode>(mode);
        provider.filesSaved = filesSaved;
        press(w, provider, {"+baby|2"}); // the save dialog, if shown, is cancelled
        QCOMPARE(w.dialogs().texts(), QStringList{ExcelExport::kNotInstalledProbe});
        QCOMPARE(w.dialogs().boxes.first().title, QStringLiteral("Parvenna Title"));
        QCOMPARE(w.dialogs().boxes.first().icon, MessageIcon::None);
        QCOMPARE(w.dialogs().fileRequests.size(), filesSaved ? 1 : 0);
        QCOMPARE(provider.created, 1);
        QVERIFY(provider.log.calls.isEmpty());
        QVERIFY(w.pointer.changes.isEmpty());
        QVERIFY(ExcelExport::kNotInstalledProbe.contains(QStringLiteral("(LibreOffice Calc)")));
    }

    // Without a spreadsheet program the same workbook goes to the file chosen: ".xlsx" is added to a bare name,
    // and a file that exists is replaced only after Yes.
    void savedAsFileInstead_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QList<bool>>("replies");
        QTest::addColumn<QString>("written"); // empty: nothing written
        QTest::newRow("new name without extension") << "book" << false << QList<bool>{} << "book.xlsx";
        QTest::newRow("other extension kept") << "book.ods" << false << QList<bool>{} << "book.ods";
        QTest::newRow("existing, Yes") << "book.xlsx" << true << QList<bool>{true} << "book.xlsx";
        QTest::newRow("existing, No") << "book.xlsx" << true << QList<bool>{false} << "";
    }
    void savedAsFileInstead() {
        QFETCH(QString, answer);
        QFETCH(bool, exists);
        QFETCH(QList<bool>, replies);
        QFETCH(QString, written);
        const QString base = qEnvironmentVariable("TEMP") + QLatin1Char('/');
        QFile::remove(base + written);
        if (exists)
            TestEnvironment::writeTempFile(answer, "old");
        OutputTestWindow w;
        FakeSpreadsheetProvider provider;
        provider.mode = FakeSpreadsheetProvider::Mode::Absent;
        provider.filesSaved = true;
        w.dialogs().fileAnswers.enqueue(base + answer);
        for (bool reply : replies)
            w.dialogs().questionAnswers.enqueue(reply);
        press(w, provider, {"+baby|2"});
        const FakeDialogs::FileRequest& request = w.dialogs().fileRequests.first();
        QVERIFY(request.save);
        QCOMPARE(request.title, ExcelExport::kSaveTitle);
        QCOMPARE(request.filter, ExcelExport::kSaveFilter);
        QCOMPARE(w.dialogs().boxes.size(), 1 + replies.size()); // the probe's message, the question if asked
        if (written.isEmpty()) {
            QVERIFY(provider.log.calls.isEmpty());
            return;
        }
        QCOMPARE(provider.log.calls, QStringList{"file " + base + written} +
                                         withTitles({"cell 2 1 baby", "cell 2 2 2", "fit all", "visible 1"}));
    }

    void ignoredWhileBusy() {
        OutputTestWindow w;
        w.pointer.setPointer(MousePointer::Hourglass);
        FakeSpreadsheetProvider provider;
        press(w, provider, {"+baby|2"});
        QCOMPARE(provider.created, 0);
        QVERIFY(w.dialogs().boxes.isEmpty());
    }

    // A failure of the spreadsheet program after a good probe: one report at the failing step, the export
    // ends there, and the pointer comes back.
    void spreadsheetFails_data() {
        QTest::addColumn<QString>("failOn");
        QTest::addColumn<int>("failCreateAfter");
        QTest::addColumn<int>("step");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("start") << QString() << 1 << 112 << QStringList{};
        QTest::newRow("new workbook") << "workbook" << -1 << 114 << QStringList{};
        QTest::newRow("first title") << "cell 1 1 Results" << -1 << 124 << QStringList{"workbook"};
        QTest::newRow("second title") << "cell 1 2 Syllables Count" << -1 << 128
                                      << QStringList{"workbook", "cell 1 1 Results", "fit 1"};
        QTest::newRow("fitting a column") << "fit 2" << -1 << 132 << kTitleRow.mid(0, 4);
        QTest::newRow("first column cell") << "cell 2 1 baby" << -1 << 152 << kTitleRow;
        QTest::newRow("later column cell")
            << "cell 3 2 1" << -1 << 156 << withTitles({"cell 2 1 baby", "cell 2 2 2", "cell 3 1 cat"});
        QTest::newRow("fitting all") << "fit all" << -1 << 166
                                     << withTitles({"cell 2 1 baby", "cell 2 2 2", "cell 3 1 cat", "cell 3 2 1"});
        QTest::newRow("showing") << "visible 1" << -1 << 168
                                 << withTitles(
                                        {"cell 2 1 baby", "cell 2 2 2", "cell 3 1 cat", "cell 3 2 1", "fit all"});
    }
    void spreadsheetFails() {
        QFETCH(QString, failOn);
        QFETCH(int, failCreateAfter);
        QFETCH(int, step);
        QFETCH(QStringList, calls);
        OutputTestWindow w;
        FakeSpreadsheetProvider provider;
        provider.log.failOn = failOn;
        provider.failCreateAfter = failCreateAfter;
        press(w, provider, {"+baby|2", "+cat|1"});
        QCOMPARE(provider.log.calls, calls);
        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().contains(QStringLiteral(".Form1.PushButton13_Click at line %1\r\r").arg(step)),
                 qPrintable(reports.first()));
        QCOMPARE(w.dialogs().boxes.size(), 1);
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
    }

    // A spreadsheet cell holds at most 32,767 characters: a longer text goes in cut to that length, the first
    // such cell is reported once, and every row still reaches the visible workbook.
    void overlongCellsAreCut_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("step"); // of the report; 0 for none
        const QString limit(32767, QLatin1Char('x'));
        QTest::newRow("first column") << QStringList{"+baby|2", "+" + limit + "yz|3", "+cat|1"}
                                      << withTitles({"cell 2 1 baby", "cell 2 2 2", "cell 3 1 " + limit, "cell 3 2 3",
                                                     "cell 4 1 cat", "cell 4 2 1", "fit all", "visible 1"})
                                      << 152;
        QTest::newRow("later column, after the '=' is gone, and twice")
            << QStringList{"+a|=" + limit + "=", "+b|" + limit + "1", "+" + limit + "2|c"}
            << withTitles({"cell 2 1 a", "cell 2 2 " + limit, "cell 3 1 b", "cell 3 2 " + limit, "cell 4 1 " + limit,
                           "cell 4 2 c", "fit all", "visible 1"})
            << 156;
        QTest::newRow("exactly the limit: no report")
            << QStringList{"+" + limit + "|1"}
            << withTitles({"cell 2 1 " + limit, "cell 2 2 1", "fit all", "visible 1"}) << 0;
        // A character outside the Basic Multilingual Plane is two code units; it is never cut in half.
        const QString pair = QStringLiteral("\U0001F600");
        QTest::newRow("never half a character")
            << QStringList{"+" + limit.left(32766) + pair + "|1"}
            << withTitles({"cell 2 1 " + limit.left(32766), "cell 2 2 1", "fit all", "visible 1"}) << 152;
    }
    void overlongCellsAreCut() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, calls);
        QFETCH(int, step);
        OutputTestWindow w;
        FakeSpreadsheetProvider provider;
        press(w, provider, rows);
        QCOMPARE(provider.log.calls, calls);
        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(reports.size(), step == 0 ? 0 : 1);
        QCOMPARE(w.dialogs().boxes.size(), reports.size());
        if (step != 0) {
            QVERIFY2(reports.first().contains(QStringLiteral("32767")), qPrintable(reports.first()));
            QVERIFY2(reports.first().contains(QStringLiteral(".Form1.PushButton13_Click at line %1\r\r").arg(step)),
                     qPrintable(reports.first()));
        }
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
    }

    // A handler run during a yield clears the results: one report, and what was written is still shown.
    void listClearedWhileExporting() {
        OutputTestWindow w;
        FakeSpreadsheetProvider provider;
        provider.log.onCall = [&](const QString& call) {
            if (call == QStringLiteral("cell 2 2 2"))
                w.results.clear();
        };
        press(w, provider, {"+baby|2", "+cat|1", "+dog|1"});
        QCOMPARE(provider.log.calls, withTitles({"cell 2 1 baby", "cell 2 2 2", "fit all", "visible 1"}));
        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().startsWith(QStringLiteral("Subscript out of range\r\n")), qPrintable(reports.first()));
        QVERIFY(reports.first().contains(QStringLiteral(".Form1.PushButton13_Click at line 142\r\r")));
        QCOMPARE(w.pointer.pointer(), MousePointer::Default);
    }
};

PARVENNA_TEST_MAIN(TestExcelExport)
#include "TestExcelExport.moc"
