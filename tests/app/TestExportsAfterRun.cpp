// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"
#include "dictionary/LocalDictionaryService.h"
#include "output/XlsxSpreadsheet.h"

#include "../output/XlsxReader.h"
#include "FakePlatform.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>

namespace {

// An office suite that keeps the workbook it was handed instead of showing it.
class RecordingSuite : public OfficeSuite {
public:
    bool installed() override { return true; }
    void show(const QString& file) override { shown << file; }
    QStringList shown;
};

QString pad(const QString& text, int width) {
    return text + QString(width - text.size(), QLatin1Char(' '));
}

} // namespace

class TestExportsAfterRun : public QObject {
    Q_OBJECT
private:
    LocalDictionaryService m_service;
    FakePlatformTools m_tools;
    RecordingSuite m_suite;
    std::unique_ptr<XlsxSpreadsheetProvider> m_spreadsheets;
    std::unique_ptr<Form1> m_form;

    void press(const char* button) { m_form->findChild<QPushButton*>(button)->click(); }

    // The sample words plus one the dictionary does not know, with "Not Found" rows on.
    const QStringList m_cells1{QString("ba·by"), QString("di·a·mond"), QString("New·Hamp·shire"),
                               QString("dem·on·stra·tion"), QStringLiteral("Not Found")};
    const QStringList m_counts{"2", "3", "3", "4", ""};

private slots:
    void initTestCase() {
        QVERIFY(m_service.start({}));
        qputenv("PARVENNA_SERVICE_ADDRESS", m_service.address().toUtf8());
        qputenv("PARVENNA_SERVICE_KEY", m_service.key().toUtf8());
        m_spreadsheets = std::make_unique<XlsxSpreadsheetProvider>(m_suite);
        m_form = std::make_unique<Form1>(m_tools, *m_spreadsheets);
        m_form->setProgramFolder(qEnvironmentVariable("TEMP") + QStringLiteral("/no-such-folder"));
        m_form->Form_Load();
        m_form->findChild<QCheckBox*>("Check1")->setChecked(true);
        press("PushButton7");
        m_form->context().wordList().addRow(QStringLiteral("zzzq"));
        m_tools.fakeDialogs.boxes.clear();
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        QCOMPARE(m_form->context().resultsList().rowCount(), 5);
        m_tools.fakeDialogs.boxes.clear();
    }

    void textFile() {
        const QString path = qEnvironmentVariable("TEMP") + QStringLiteral("/results"); // no extension added
        m_tools.fakeDialogs.fileAnswers.enqueue(path);
        press("PushButton4");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString expected = pad("Results", 16) + "\t" + "Syllables Count" + "\t\r\n";
        for (int i = 0; i < 4; ++i) // the "Not Found" row is unchecked: no line, but it counts for the width
            expected += pad(m_cells1[i], 16) + "\t" + pad(m_counts[i], 15) + "\t\r\n";
        QCOMPARE(file.readAll(), expected.toUtf8());
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
        QCOMPARE(m_form->context().progressBar().barText(), QStringLiteral("Progress Bar"));
    }

    void clipboard() {
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        press("PushButton5");
        QString expected;
        for (int i = 0; i < 4; ++i)
            expected += pad(m_cells1[i], 16) + "\t" + m_counts[i] + "\r\n";
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void spreadsheet() {
        press("PushButton13");
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
        QCOMPARE(m_suite.shown.size(), 1);
        const XlsxSheet sheet = XlsxReader::read(m_suite.shown.first());
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        QCOMPARE(sheet.cells.value({1, 1}).value, QStringLiteral("Results"));
        QCOMPARE(sheet.cells.value({1, 2}).value, QStringLiteral("Syllables Count"));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(sheet.cells.value({i + 2, 1}).value, m_cells1[i]);
            QCOMPARE(sheet.cells.value({i + 2, 2}), (XlsxSheet::Cell{QStringLiteral("n"), m_counts[i]}));
        }
        QVERIFY(!sheet.cells.contains({6, 1})); // the unchecked "Not Found" row leaves its sheet row empty
        QCOMPARE(sheet.formulas, 0);
        // The sheet stores widths rounded to whole pixels: within one character of the fitted width.
        QVERIFY(qAbs(sheet.widths.value(1) - XlsxSpreadsheet::fittedWidth(m_cells1[3])) < 1.0);
        QVERIFY(qAbs(sheet.widths.value(2) - XlsxSpreadsheet::fittedWidth(QStringLiteral("Syllables Count"))) < 1.0);
    }

    // A run in the built-in dictionary with an estimated word, and one with stress marks: every export carries
    // what the rows show, the marker and the marks included, with the number.
    void rowsAsShownInEveryExport_data() {
        QTest::addColumn<bool>("stress");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("count");
        QTest::newRow("estimated") << false << QString("flib·ber·y (estimated)") << "3";
        QTest::newRow("stress marks") << true << QString("\u02CCdem·on·\u02C8stra·tion") << "4";
    }
    void rowsAsShownInEveryExport() {
        QFETCH(bool, stress);
        QFETCH(QString, shown);
        QFETCH(QString, count);
        qputenv("PARVENNA_SERVICE_ADDRESS", "");
        m_form->findChild<QCheckBox*>("Check2")->setChecked(stress);
        ListControl& words = m_form->context().wordList();
        words.clear();
        words.addRows({QStringLiteral("baby"), stress ? QStringLiteral("demonstration") : QStringLiteral("flibbery")});
        press("PushButton17");
        QCOMPARE(m_form->context().resultsList().text(2), shown);
        const int width = int(std::max(shown.size(), qsizetype(7))); // the text file's column: the widest text

        const QString path = qEnvironmentVariable("TEMP") + QStringLiteral("/shown-") + QTest::currentDataTag();
        m_tools.fakeDialogs.fileAnswers.enqueue(path);
        press("PushButton4");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains(pad(shown, width) + "\t" + pad(count, 15) + "\t\r\n"));

        press("PushButton5");
        QVERIFY(QGuiApplication::clipboard()->text().endsWith(pad(shown, width) + "\t" + count + "\r\n"));

        m_suite.shown.clear();
        press("PushButton13");
        QCOMPARE(m_suite.shown.size(), 1);
        const XlsxSheet sheet = XlsxReader::read(m_suite.shown.first());
        QCOMPARE(sheet.cells.value({3, 1}).value, shown);
        QCOMPARE(sheet.cells.value({3, 2}), (XlsxSheet::Cell{QStringLiteral("n"), count}));
    }
};

PARVENNA_TEST_MAIN(TestExportsAfterRun)
#include "TestExportsAfterRun.moc"
