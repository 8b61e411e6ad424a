// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputTestWindow.h"
#include "TestEnvironment.h"
#include "XlsxReader.h"
#include "common/AppError.h"
#include "output/ExcelExport.h"
#include "output/SaveTarget.h"
#include "output/WorkbookFolder.h"
#include "output/XlsxSpreadsheet.h"
#include "ui/Platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An office suite that only remembers which files it was asked to show.
class RecordingSuite : public OfficeSuite {
public:
    bool installed() override { return isInstalled; }
    void show(const QString& file) override { shown << file; }
    bool isInstalled = true;
    QStringList shown;
};

using Cell = XlsxSheet::Cell;

Cell text(const QString& value) {
    return {QStringLiteral("s"), value};
}

Cell number(const QString& value) {
    return {QStringLiteral("n"), value};
}

// A small CSV reader: commas, quoted fields with doubled quotes and line breaks inside.
QList<QStringList> parseCsv(const QString& csv) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < csv.size() && csv[i + 1] == QLatin1Char('"'))
                field += csv[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            rows << (row << field);
            row.clear();
            field.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

// The file stores a column's width with the cell padding added (5 pixels of a 7-pixel character).
bool fits(double stored, double width) {
    const double padding = stored - width;
    if (padding >= 0.0 && padding < 1.0)
        return true;
    qWarning() << "stored width" << stored << "for width" << width;
    return false;
}

// Sets a path's modification time that many hours back, without following a link.
bool age(const QString& path, int hours) {
    const timespec when{static_cast<time_t>(QDateTime::currentSecsSinceEpoch() - hours * 3600), 0};
    const timespec times[2] = {when, when};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestXlsxSpreadsheet : public QObject {
    Q_OBJECT
private:
    // Exports the rows through the button handler into a real workbook file and returns its path.
    QString exportRows(const QStringList& rows, RecordingSuite& suite) {
        OutputTestWindow w;
        fillList(w.results, rows);
        XlsxSpreadsheetProvider provider(suite);
        ExcelExport(w.window, provider).PushButton13_Click();
        if (!w.dialogs().boxes.isEmpty())
            qWarning() << w.dialogs().texts();
        return suite.shown.isEmpty() ? QString() : suite.shown.last();
    }

private slots:
    void cellsReadBack() {
        const QString longText(10000, QLatin1Char('w'));
        RecordingSuite suite;
        const QString file = exportRows({"+ba\u00b7by|2", "cat|Not Found", "+=SUM(A1:A2)|=3", "+@x|+4", "+-x|-5",
                                         "+a\tb|line\r\nbreak", "+\u0441\u043b\u043e\u0433|\u65e5\u672c\u8a9e",
                                         "+007|2.50", "+" + longText + "|0.25", "+bell\u0007|12345678901234"},
                                        suite);
        QCOMPARE(suite.shown.size(), 1);
        const XlsxSheet sheet = XlsxReader::read(file);
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        const QMap<QPair<int, int>, Cell> expected{
            {{1, 1}, text("Results")},
            {{1, 2}, text("Syllables Count")},
            {{2, 1}, text("ba\u00b7by")},
            {{2, 2}, number("2")},
            {{4, 1}, text("=SUM(A1:A2)")}, // a string, never a formula
            {{4, 2}, number("3")},         // "=" taken out of the second column
            {{5, 1}, text("@x")},
            {{5, 2}, text("+4")},
            {{6, 1}, text("-x")},
            {{6, 2}, number("-5")},
            {{7, 1}, text("a\tb")},
            {{7, 2}, text("line\r\nbreak")},
            {{8, 1}, text("\u0441\u043b\u043e\u0433")},
            {{8, 2}, text("\u65e5\u672c\u8a9e")},
            {{9, 1}, text("007")},  // leading zeros stay
            {{9, 2}, text("2.50")}, // so does a trailing zero
            {{10, 1}, text(longText)},
            {{10, 2}, number("0.25")},
            {{11, 1}, text("bell\u0007")},
            {{11, 2}, text("12345678901234")}, // too long to show as the same number
        };
        QCOMPARE(sheet.cells, expected);
        QCOMPARE(sheet.formulas, 0);
        QVERIFY(fits(sheet.widths.value(1), XlsxSpreadsheet::kMaxWidth));
        QVERIFY(fits(sheet.widths.value(2), XlsxSpreadsheet::fittedWidth(QStringLiteral("Syllables Count"))));
    }

    // A cell longer than a spreadsheet cell can hold no longer costs the whole workbook.
    void overlongCellKeepsTheWorkbook() {
        RecordingSuite suite;
        OutputTestWindow w;
        fillList(w.results, {"+baby|2", "+" + QString(40000, QLatin1Char('x')) + "|5", "+cat|1"});
        XlsxSpreadsheetProvider provider(suite);
        ExcelExport(w.window, provider).PushButton13_Click();
        QCOMPARE(w.dialogs().errorReports().size(), 1);
        QCOMPARE(suite.shown.size(), 1);
        const XlsxSheet sheet = XlsxReader::read(suite.shown.first());
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        QCOMPARE(sheet.cells.value({2, 1}), text("baby"));
        QCOMPARE(sheet.cells.value({3, 1}), text(QString(32767, QLatin1Char('x'))));
        QCOMPARE(sheet.cells.value({3, 2}), number("5"));
        QCOMPARE(sheet.cells.value({4, 1}), text("cat"));
    }

    // Workbooks handed to the office program are left for it to read; the next start-ups remove the folders of
    // this user's workbooks older than a day, and nothing else.
    void oldWorkbooksRemoved_data() {
        QTest::addColumn<QString>("name"); // the folder in TEMP
        QTest::addColumn<QString>("kind"); // what it holds
        QTest::addColumn<int>("hours");    // age of its content
        QTest::addColumn<bool>("removed");
        QTest::newRow("two days old") << "parvenna-sheet-Ab12Cd"
                                      << "workbook" << 48 << true;
        QTest::newRow("a day and an hour") << "parvenna-sheet-xYz789"
                                           << "workbook" << 25 << true;
        QTest::newRow("empty and old") << "parvenna-sheet-q1w2e3"
                                       << "empty" << 48 << true;
        QTest::newRow("an hour old") << "parvenna-sheet-Fresh1"
                                     << "workbook" << 1 << false;
        QTest::newRow("something else beside it") << "parvenna-sheet-Extra1"
                                                  << "extra file" << 48 << false;
        QTest::newRow("workbook is a link") << "parvenna-sheet-Link01"
                                            << "linked workbook" << 48 << false;
        QTest::newRow("workbook is a folder") << "parvenna-sheet-Fold01"
                                              << "folder workbook" << 48 << false;
        QTest::newRow("folder is a link") << "parvenna-sheet-Link02"
                                          << "linked folder" << 48 << false;
        QTest::newRow("other name") << "parvenna-run-Ab12Cd"
                                    << "workbook" << 48 << false;
        QTest::newRow("name too short") << "parvenna-sheet-Ab12"
                                        << "workbook" << 48 << false;
        QTest::newRow("another user's") << "parvenna-sheet-Other1"
                                        << "other user" << 48 << false;
    }
    void oldWorkbooksRemoved() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(int, hours);
        QFETCH(bool, removed);
        const QString temp = qEnvironmentVariable("TEMP");
        const QString folder = temp + QLatin1Char('/') + name;
        const QString workbook = folder + QStringLiteral("/Results.xlsx");
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("keep.xlsx"));
        writeBytes(outside, "kept");
        if (kind == QStringLiteral("linked folder")) {
            QVERIFY(QFile::link(elsewhere.path(), folder));
            QVERIFY(QFile::copy(outside, elsewhere.filePath(QStringLiteral("Results.xlsx"))));
            QVERIFY(age(elsewhere.filePath(QStringLiteral("Results.xlsx")), hours));
        } else {
            QVERIFY(QDir().mkpath(folder));
            if (kind == QStringLiteral("linked workbook"))
                QVERIFY(QFile::link(outside, workbook));
            else if (kind == QStringLiteral("folder workbook"))
                QVERIFY(QDir().mkpath(workbook));
            else if (kind != QStringLiteral("empty"))
                writeBytes(workbook, "PK");
            if (kind == QStringLiteral("extra file")) {
                writeBytes(folder + QStringLiteral("/Saved.ods"), "mine");
                QVERIFY(age(folder + QStringLiteral("/Saved.ods"), hours));
            }
            if (kind == QStringLiteral("other user") &&
                ::chown(QFile::encodeName(folder).constData(), 65534, 65534) != 0)
                QSKIP("the folder cannot be given to another user here (not root)");
            if (QFileInfo::exists(workbook) || QFileInfo(workbook).isSymLink())
                QVERIFY(age(workbook, hours));
            QVERIFY(age(folder, hours));
        }
        const QString fresh = temp + QStringLiteral("/parvenna-sheet-Keep99");
        QVERIFY(QDir().mkpath(fresh));
        writeBytes(fresh + QStringLiteral("/Results.xlsx"), "PK");

        WorkbookFolder::removeOld();

        QCOMPARE(!QFileInfo(folder).isSymLink() && !QFileInfo::exists(folder), removed);
        QVERIFY(QFileInfo::exists(fresh + QStringLiteral("/Results.xlsx")));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files).contains(QStringLiteral("keep.xlsx")), true);
        QFile::remove(folder); // a link
        QDir(folder).removeRecursively();
        QDir(fresh).removeRecursively();
    }

    // The workbook is a private temporary file, handed over once, after the cells are written.
    void privateFileShownOnce() {
        RecordingSuite suite;
        const QString file = exportRows({"+baby|2"}, suite);
        QVERIFY(QFileInfo(file).isFile());
        QVERIFY(file.startsWith(qEnvironmentVariable("TEMP") + QLatin1Char('/')));
        QCOMPARE(QFileInfo(file).suffix(), QStringLiteral("xlsx"));
        const QFile::Permissions folder = QFileInfo(QFileInfo(file).absolutePath()).permissions();
        QVERIFY(!(folder & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ReadGroup)));
        const QString second = exportRows({"+cat|1"}, suite);
        QCOMPARE(suite.shown.size(), 2);
        QVERIFY(second != file); // every export is a new workbook
    }

    // No office program: the probe's one message, then the save dialog; the workbook saved there holds the rows,
    // replaces an old file whole, and no private copy stays behind.
    void savedWithoutOfficeProgram() {
        const auto workbookFolders = [] {
            return QDir(WorkbookFolder::temporaryBase()).entryList({WorkbookFolder::kPrefix + '*'}, QDir::Dirs);
        };
        const QStringList foldersBefore = workbookFolders();
        RecordingSuite suite;
        suite.isInstalled = false;
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("results.xlsx"));
        writeBytes(target, "an older file");
        OutputTestWindow w;
        fillList(w.results, {"+ba\u00b7by|2", "cat|Not Found", "+dog|1"});
        w.dialogs().fileAnswers.enqueue(dir.filePath(QStringLiteral("results")));
        w.dialogs().questionAnswers.enqueue(true);
        XlsxSpreadsheetProvider provider(suite);
        ExcelExport(w.window, provider).PushButton13_Click();
        QCOMPARE(w.dialogs().texts(),
                 (QStringList{ExcelExport::kNotInstalledProbe, SaveTarget::replaceQuestion(target)}));
        QCOMPARE(w.dialogs().fileRequests.size(), 1);
        QVERIFY(suite.shown.isEmpty());
        const XlsxSheet sheet = XlsxReader::read(target);
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        const QMap<QPair<int, int>, Cell> expected{
            {{1, 1}, text("Results")},    {{1, 2}, text("Syllables Count")},
            {{2, 1}, text("ba\u00b7by")}, {{2, 2}, number("2")},
            {{4, 1}, text("dog")},        {{4, 2}, number("1")},
        };
        QCOMPARE(sheet.cells, expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"results.xlsx"});
        QCOMPARE(workbookFolders(), foldersBefore);
    }

    void widthsGrowWithLongestText() {
        double previous = 0.0;
        for (const int length : {1, 4, 9, 20, 60, 200}) {
            RecordingSuite suite;
            XlsxSpreadsheet sheet(suite);
            sheet.addWorkbook();
            sheet.setCell(1, 1, QStringLiteral("T"));
            sheet.setCell(2, 1, QString(length, QLatin1Char('m')));
            sheet.setCell(3, 1, QStringLiteral("ab"));
            sheet.setCell(1, 2, QStringLiteral("Syllables Count"));
            sheet.autoFitAllColumns();
            sheet.setVisible(true);
            const XlsxSheet read = XlsxReader::read(suite.shown.value(0));
            QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
            const double width = read.widths.value(1);
            QVERIFY2(width > previous, qPrintable(QStringLiteral("%1 chars: width %2").arg(length).arg(width)));
            QVERIFY(width >= length);
            QVERIFY(fits(read.widths.value(2), XlsxSpreadsheet::fittedWidth(QStringLiteral("Syllables Count"))));
            previous = width;
        }
        QVERIFY(XlsxSpreadsheet::fittedWidth(QStringLiteral("\u65e5\u672c")) >
                XlsxSpreadsheet::fittedWidth(QStringLiteral("ab"))); // wide characters count twice
        QCOMPARE(XlsxSpreadsheet::fittedWidth(QStringLiteral("abc\r\nab")),
                 XlsxSpreadsheet::fittedWidth(QStringLiteral("abc")));
    }

    // Fitting follows the cells as they are at that moment; the last fit wins.
    void fitAtTheMoment() {
        RecordingSuite suite;
        XlsxSpreadsheet sheet(suite);
        sheet.addWorkbook();
        sheet.setCell(1, 1, QStringLiteral("Results"));
        sheet.autoFitColumn(1);
        sheet.setCell(2, 1, QStringLiteral("a much longer result"));
        sheet.setCell(1, 3, QStringLiteral("never fitted"));
        sheet.setVisible(true);
        const XlsxSheet read = XlsxReader::read(suite.shown.value(0));
        QVERIFY(fits(read.widths.value(1), XlsxSpreadsheet::fittedWidth(QStringLiteral("Results"))));
        QVERIFY(!read.widths.contains(3));
    }

    void refusedCells() {
        RecordingSuite suite;
        XlsxSpreadsheet sheet(suite);
        QVERIFY_THROWS_EXCEPTION(AppError, sheet.setCell(1, 1, QStringLiteral("x"))); // no workbook yet
        sheet.addWorkbook();
        QVERIFY_THROWS_EXCEPTION(AppError, sheet.setCell(0, 1, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(AppError, sheet.setCell(1, XlsxSpreadsheet::kMaxColumns + 1, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(AppError, sheet.setCell(XlsxSpreadsheet::kMaxRows + 1, 1, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(AppError, sheet.setCell(1, 1, QString(32768, QLatin1Char('x'))));
        sheet.setCell(XlsxSpreadsheet::kMaxRows, 1, QString(32767, QLatin1Char('x')));
    }

    void plainDecimal_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        for (const char* yes : {"0", "2", "12", "-5", "0.25", "-0.5", "10.125", "12345678901"})
            QTest::newRow(yes) << QString::fromLatin1(yes) << true;
        for (const char* no : {"", "007", "2.50", "2.", ".5", "+4", "-", "-0", "1e5", "1,000", " 5", "5 ", "=3", "0x1F",
                               "123456789012", "inf", "NaN"})
            QTest::newRow(qPrintable(QStringLiteral("not '%1'").arg(QString::fromLatin1(no))))
                << QString::fromLatin1(no) << false;
    }
    void plainDecimal() {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(XlsxSpreadsheet::isPlainDecimal(text), plain);
    }

    // How the workbook is shown: LibreOffice's new-document switch, else the desktop's handler, else nothing.
    void desktopOfficeSuite() {
        FakeShell shell;
        DesktopOfficeSuite withSoffice(
            shell, [] { return QStringLiteral("/opt/office/soffice"); }, [] { return true; });
        QVERIFY(withSoffice.installed());
        withSoffice.show(QStringLiteral("/tmp/x/Results.xlsx"));
        QCOMPARE(shell.started, QStringList{"/opt/office/soffice --calc -n /tmp/x/Results.xlsx"});
        QVERIFY(shell.opened.isEmpty());

        DesktopOfficeSuite withHandler(
            shell, [] { return QString(); }, [] { return true; });
        QVERIFY(withHandler.installed());
        withHandler.show(QStringLiteral("/tmp/x y/Results.xlsx"));
        QCOMPARE(shell.opened, QStringList{"file:///tmp/x y/Results.xlsx"});
        QCOMPARE(QUrl(shell.opened.first()).toLocalFile(), QStringLiteral("/tmp/x y/Results.xlsx"));

        DesktopOfficeSuite nothing(
            shell, [] { return QString(); }, [] { return false; });
        QVERIFY(!nothing.installed());
        QVERIFY_THROWS_EXCEPTION(AppError, nothing.show(QStringLiteral("/tmp/x/Results.xlsx")));
        XlsxSpreadsheetProvider provider(nothing);
        QVERIFY(provider.create() == nullptr);
        QCOMPARE(shell.started.size() + shell.opened.size(), 2);
    }

    // The whole way with the production office suite, the shell faked: the export ends in one soffice start.
    void handlerStartsSoffice() {
        OutputTestWindow w;
        fillList(w.results, {"+baby|2"});
        DesktopOfficeSuite suite(
            w.tools.fakeShell, [] { return QStringLiteral("/usr/bin/soffice"); }, [] { return false; });
        XlsxSpreadsheetProvider provider(suite);
        ExcelExport(w.window, provider).PushButton13_Click();
        QVERIFY(w.dialogs().boxes.isEmpty());
        QCOMPARE(w.tools.fakeShell.started.size(), 1);
        const QString started = w.tools.fakeShell.started.first();
        QVERIFY(started.startsWith(QStringLiteral("/usr/bin/soffice --calc -n ")));
        const XlsxSheet sheet = XlsxReader::read(started.mid(27));
        QCOMPARE(sheet.cells.value({2, 1}), text("baby"));
    }

    // The office program is really started (a stand-in script for soffice): one that cannot start, or that ends
    // at once with an error, is reported, naming where the workbook was written; one that hands the file to a
    // running office and ends well, or keeps running, is not. The wait for it is bounded.
    void officeProgramFailing_data() {
        QTest::addColumn<QByteArray>("script"); // empty: no program at that path
        QTest::addColumn<QString>("reason");    // in the report; empty for no report
        QTest::newRow("ends with an error") << QByteArray("echo 'no display' >&2; exit 1") << "exit code 1";
        QTest::newRow("killed at once") << QByteArray("kill -9 $$") << "signal 9";
        QTest::newRow("missing") << QByteArray() << "could not be started";
        QTest::newRow("hands over and ends well") << QByteArray("exit 0") << QString();
        QTest::newRow("keeps running") << QByteArray("exec sleep 4") << QString();
    }
    void officeProgramFailing() {
        QFETCH(QByteArray, script);
        QFETCH(QString, reason);
        QTemporaryDir bin;
        const QString soffice = bin.filePath(QStringLiteral("soffice"));
        if (!script.isEmpty()) {
            writeBytes(soffice, "#!/bin/sh\n" + script + "\n");
            QVERIFY(QFile::setPermissions(soffice, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        OutputTestWindow w;
        fillList(w.results, {"+baby|2"});
        DesktopShell shell;
        DesktopOfficeSuite suite(
            shell, [&] { return soffice; }, [] { return false; });
        XlsxSpreadsheetProvider provider(suite);
        QElapsedTimer timer;
        timer.start();
        ExcelExport(w.window, provider).PushButton13_Click();
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));

        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(w.dialogs().boxes.size(), reports.size());
        QCOMPARE(w.pointer.pointer(), MousePointer::Default);
        if (reason.isEmpty()) {
            QVERIFY2(reports.isEmpty(), qPrintable(reports.join('\n')));
            return;
        }
        QCOMPARE(reports.size(), 1);
        const QString& report = reports.first();
        QVERIFY2(report.contains(reason), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral(".Form1.PushButton13_Click at line 168\r\r")));
        const QRegularExpression written(QStringLiteral("(/\\S+/parvenna-sheet-\\w{6}/Results\\.xlsx)"));
        const QRegularExpressionMatch match = written.match(report);
        QVERIFY2(match.hasMatch(), qPrintable(report));
        QVERIFY(match.captured(1).startsWith(qEnvironmentVariable("TEMP") + QLatin1Char('/')));
        const XlsxSheet sheet = XlsxReader::read(match.captured(1)); // the workbook is there to open by hand
        QCOMPARE(sheet.cells.value({2, 1}), text("baby"));
    }

    // An independent reader sees the same cells: LibreOffice converts the workbook to CSV.
    void libreOfficeReadsTheSameCells() {
        const QString soffice = DesktopOfficeSuite::findSofficeOnPath();
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        RecordingSuite suite;
        const QString file = exportRows(
            {"+ba\u00b7by|2", "cat|Not Found", "+=1+1|=3", "+@x|-5", "+-x|0.25", "+\u0441\u043b\u043e\u0433|007"},
            suite);
        QTemporaryDir out;
        QProcess convert;
        convert.start(
            soffice,
            {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(out.filePath("profile")).toString(),
             QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
             QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("--outdir"), out.path(),
             file});
        if (!convert.waitForFinished(180000)) {
            convert.kill();
            convert.waitForFinished(5000);
            QFAIL("soffice did not finish the conversion within 180 s");
        }
        QFile csv(out.filePath(QStringLiteral("Results.csv")));
        QVERIFY2(csv.open(QIODevice::ReadOnly), convert.readAllStandardError().constData());
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(csv.readAll()));
        const QList<QStringList> expected{{"Results", "Syllables Count"},
                                          {"ba\u00b7by", "2"},
                                          {"", ""},
                                          {"=1+1", "3"},
                                          {"@x", "-5"},
                                          {"-x", "0.25"},
                                          {"\u0441\u043b\u043e\u0433", "007"}};
        QCOMPARE(rows, expected);
    }
};

PARVENNA_TEST_MAIN(TestXlsxSpreadsheet)
#include "TestXlsxSpreadsheet.moc"
