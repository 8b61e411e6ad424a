// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"
#include "app/WindowAccessibility.h"
#include "common/Settings.h"
#include "lists/StoredWordList.h"
#include "output/SpreadsheetApplication.h"

#include "FakePlatform.h"
#include "NoSpreadsheet.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>

namespace {

// The skin and cursor files of these tests live in a folder of their own, not beside the test programs.
QString programFolder() {
    return qEnvironmentVariable("TEMP") + QStringLiteral("/program");
}
QString programFile(const QString& name) {
    return programFolder() + QLatin1Char('/') + name;
}

// A one-image 1x1 Windows cursor file with its hot spot at (hotX, hotY).
QByteArray tinyCursor(quint16 hotX, quint16 hotY) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(2) << quint16(1);
    out << quint8(1) << quint8(1) << quint8(0) << quint8(0) << hotX << hotY << quint32(48) << quint32(22);
    // BITMAPINFOHEADER, height doubled for the mask
    out << quint32(40) << qint32(1) << qint32(2) << quint16(1) << quint16(1) << quint32(0) << quint32(0) << qint32(0)
        << qint32(0) << quint32(2) << quint32(0);
    out << quint32(0x00000000) << quint32(0x00FFFFFF); // palette
    out << quint32(0x80000000) << quint32(0x00000000); // XOR row, AND row
    return bytes;
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private:
    FakePlatformTools m_tools;
    NoSpreadsheet m_spreadsheets;

    std::unique_ptr<Form1> loadedForm() {
        auto form = std::make_unique<Form1>(m_tools, m_spreadsheets);
        form->setProgramFolder(programFolder());
        form->Form_Load();
        return form;
    }
    QStringList rows(Form1& form) { return form.context().wordList().texts(); }

private slots:
    void initTestCase() { QVERIFY(QDir().mkpath(programFolder())); }

    void init() {
        TestEnvironment::clearSettings();
        m_tools.fakeDialogs.boxes.clear();
        m_tools.fakeClock.day = 45000;
        m_tools.fakeRandom.draw = 0.5;
        m_tools.fakeShell.opened.clear();
        QFile::remove(programFile(QStringLiteral("HAND-M.CUR")));
        QDir(programFile(QStringLiteral("x"))).removeRecursively();
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("ListView1") << "ListView1"
                                   << " Words" << QRect(120, 120, 7800, 2535);
        QTest::newRow("PushButton6") << "PushButton6"
                                     << "Add One Word" << QRect(120, 2750, 3840, 405);
        QTest::newRow("PushButton3") << "PushButton3"
                                     << "Load Words From File" << QRect(4080, 2750, 3840, 405);
        QTest::newRow("PushButton1") << "PushButton1"
                                     << "Clear List" << QRect(120, 3260, 3840, 405);
        QTest::newRow("PushButton7") << "PushButton7"
                                     << "Load Sample/Example Data" << QRect(4080, 3260, 3840, 405);
        QTest::newRow("Frame1") << "Frame1"
                                << "Display Option" << QRect(120, 3720, 7800, 735);
        QTest::newRow("Check5") << "Check5"
                                << "Show original word in results" << QRect(240, 300, 3045, 285);
        QTest::newRow("Frame2") << "Frame2"
                                << "Results 'Not Found' Option" << QRect(120, 4510, 7800, 735);
        QTest::newRow("Check1") << "Check1"
                                << "Add 'Not Found' entry in results if word is not found"
                                << QRect(240, 300, 5805, 285);
        QTest::newRow("PushButton17") << "PushButton17"
                                      << "Start Splitting" << QRect(120, 5355, 7800, 405);
        QTest::newRow("ListView2") << "ListView2"
                                   << "Results|Syllables Count" << QRect(120, 5865, 7800, 2535);
        QTest::newRow("PushButton4") << "PushButton4"
                                     << "Save Results As Text File" << QRect(120, 8490, 3840, 405);
        QTest::newRow("PushButton13") << "PushButton13"
                                      << "Save Results As Excel File" << QRect(4080, 8490, 3840, 405);
        QTest::newRow("PushButton5") << "PushButton5"
                                     << "Copy Results To Clipboard" << QRect(120, 9000, 3840, 405);
        QTest::newRow("PushButton2") << "PushButton2"
                                     << "Clear Results" << QRect(4080, 9000, 3840, 405);
        QTest::newRow("ProgressBar1") << "ProgressBar1"
                                      << "Progress Bar" << QRect(120, 9525, 7800, 405);
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, twips);
        auto form = loadedForm();
        auto* widget = form->findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        const QRect expected(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0), qRound(twips.width() / 15.0),
                             qRound(twips.height() / 15.0));
        QCOMPARE(widget->geometry(), expected);
        QString shown;
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            shown = button->text();
            QCOMPARE(button->font().family(), QStringLiteral("Arial"));
            QCOMPARE(button->font().pointSizeF(), 11.25);
            QVERIFY(button->font().bold());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            shown = box->text();
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            shown = frame->title();
        } else if (auto* list = qobject_cast<ListControl*>(widget)) {
            QStringList titles;
            for (int c = 1; c <= list->columnCount(); ++c)
                titles << list->columnTitle(c);
            shown = titles.join(QLatin1Char('|'));
            QCOMPARE(list->toolTip(), Form1::kListTooltip);
        } else if (auto* bar = qobject_cast<ProgressBar*>(widget)) {
            shown = bar->text();
        }
        QCOMPARE(WindowAccessibility::withoutMnemonic(shown), text);
        if (!qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(widget->font().family(), QStringLiteral("Arial"));
            QCOMPARE(widget->font().pointSizeF(), 9.0);
        }
    }

    void windowFrame() {
        auto form = loadedForm();
        QCOMPARE(form->size(), QSize(536, 670));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->windowTitle(), QStringLiteral("Parvenna"));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((form->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        for (const char* name : {"Form1", "Frame1", "Frame2", "Check5", "Check1"}) {
            QWidget* widget = QString(name) == "Form1" ? form.get() : form->findChild<QWidget*>(name);
            QCOMPARE(widget->palette().color(QPalette::Window), QColor(Qt::white));
        }
        auto* list1 = form->findChild<ListControl*>("ListView1");
        auto* list2 = form->findChild<ListControl*>("ListView2");
        QCOMPARE(list1->columnWidth(0), 7000 / 15);
        QCOMPARE(list2->columnWidth(0), 5000 / 15);
        QCOMPARE(list2->columnWidth(1), 2000 / 15);
    }

    void tabOrder() {
        auto form = loadedForm();
        const QStringList expected{"ListView1",    "ListView2",   "PushButton6",  "PushButton3", "PushButton1",
                                   "PushButton17", "PushButton4", "PushButton13", "PushButton2", "Check5",
                                   "PushButton5",  "PushButton7", "Check1"};
        QWidget* widget = form->findChild<QWidget*>(expected.first());
        QStringList seen{widget->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus) || widget->objectName().isEmpty() ||
                   widget->objectName().startsWith(QStringLiteral("qt_")));
            seen << widget->objectName();
        }
        QCOMPARE(seen, expected);
    }

    void wordListRestoreAndSave() {
        Settings::save(QStringLiteral("Zip Codes"), QStringLiteral("a;;b;"));
        {
            auto form = loadedForm();
            QCOMPARE(rows(*form), (QStringList{"a", "b"}));
            form->context().wordList().addRow(QStringLiteral(" spaced "));
            form->context().wordList().addRow(QStringLiteral("a"));
            form->Form_QueryUnload();
        }
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes")), QStringLiteral("a;b; spaced ;a"));
        auto again = loadedForm();
        QCOMPARE(rows(*again), (QStringList{"a", "b", " spaced ", "a"}));
        again->context().wordList().clear();
        again->close();
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes"), QStringLiteral("absent")), QString());
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
    }

    void wordListRestoreOddEntries_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing") << "" << QStringList{};
        QTest::newRow("only separators") << ";;;;" << QStringList{};
        QTest::newRow("semicolon inside a word comes back as two") << "ice;cream" << QStringList{"ice", "cream"};
        QTest::newRow("beyond Latin-1") << QString::fromUtf8("слово;字;ζ") << QStringList{"слово", "字", "ζ"};
    }
    void wordListRestoreOddEntries() {
        QFETCH(QString, stored);
        QFETCH(QStringList, expected);
        Settings::save(QStringLiteral("Zip Codes"), stored);
        auto form = loadedForm();
        QCOMPARE(rows(*form), expected);
    }

    // A hand-edited list with an unquoted comma is not lost, and the close stores it back as one text.
    void handEditedWordListWithComma() {
        TestEnvironment::writeSettingsFile("[General]\nZip%20Codes=baby, diamond\n");
        auto form = loadedForm();
        QCOMPARE(rows(*form), QStringList{"baby, diamond"});
        form->Form_QueryUnload();
        QCOMPARE(QSettings(Settings::kApplication, Settings::kSection).value("Zip Codes"), QVariant("baby, diamond"));
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
    }

    void millionWordList() {
        QStringList words;
        for (int i = 0; i < 1000000; ++i)
            words << QStringLiteral("w%1").arg(i);
        Settings::save(QStringLiteral("Zip Codes"), words.join(';'));
        auto form = loadedForm();
        QCOMPARE(form->context().wordList().rowCount(), 1000000);
        QCOMPARE(form->context().wordList().text(1000000), QStringLiteral("w999999"));
        form->Form_QueryUnload();
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes")).size(), words.join(';').size());
    }

    void options_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("1.0") << "1.0" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("true") << "true" << false;
        QTest::newRow("2") << "2" << false;
    }
    void options() {
        QFETCH(QString, stored);
        QFETCH(bool, ticked);
        Settings::save(QStringLiteral("Show word"), stored);
        Settings::save(QStringLiteral("Check1"), stored);
        auto form = loadedForm();
        QCOMPARE(form->findChild<QCheckBox*>("Check5")->isChecked(), ticked);
        QCOMPARE(form->findChild<QCheckBox*>("Check1")->isChecked(), ticked);
        // Ticking at start-up runs the option's handler, which stores "1" again.
        if (ticked) {
            QCOMPARE(Settings::get(QStringLiteral("Show word")), QStringLiteral("1"));
            QCOMPARE(Settings::get(QStringLiteral("Check1")), QStringLiteral("1"));
        }
    }

    void optionClicksStoreOneOrZero() {
        Settings::save(QStringLiteral("Check1"), QStringLiteral("yes"));
        auto form = loadedForm();
        auto* check1 = form->findChild<QCheckBox*>("Check1");
        auto* check5 = form->findChild<QCheckBox*>("Check5");
        check1->click();
        QCOMPARE(Settings::get(QStringLiteral("Check1")), QStringLiteral("1"));
        check5->click();
        QCOMPARE(Settings::get(QStringLiteral("Show word")), QStringLiteral("1"));
        check5->click();
        QCOMPARE(Settings::get(QStringLiteral("Show word")), QStringLiteral("0"));
    }

    void quotaRestore_data() {
        QTest::addColumn<QString>("date"); // "-" for absent
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("expectedDay");
        QTest::addColumn<int>("expectedCount");
        QTest::newRow("absent date") << "-"
                                     << "77" << 44999 << 0;
        QTest::newRow("today") << "45000"
                               << "7" << 45000 << 7;
        QTest::newRow("earlier day") << "44990"
                                     << "7" << 44990 << 0;
        QTest::newRow("later day") << "45003"
                                   << "7" << 45003 << 7;
        QTest::newRow("nothing stored") << "-"
                                        << "-" << 44999 << 0;
    }
    void quotaRestore() {
        QFETCH(QString, date);
        QFETCH(QString, count);
        QFETCH(int, expectedDay);
        QFETCH(int, expectedCount);
        if (date != "-")
            Settings::save(QStringLiteral("Request date"), date);
        if (count != "-")
            Settings::save(QStringLiteral("Request count"), count);
        auto form = loadedForm();
        QCOMPARE(form->context().quota().day, expectedDay);
        QCOMPARE(form->context().quota().count, expectedCount);
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
    }

    void invalidQuotaIsReported_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("report");
        QTest::newRow("date not a number") << "Request date"
                                           << "soon"
                                           << "Type mismatch\r\nin Kestrane2021/08/31.Form1.Form_Load at line 158\r\r"
                                              "Please email screenshot of this message to support@orvanta.example";
        QTest::newRow("count out of range") << "Request count"
                                            << "40000"
                                            << "Overflow\r\nin Kestrane2021/08/31.Form1.Form_Load at line 160\r\r"
                                               "Please email screenshot of this message to support@orvanta.example";
        // A negative count would allow more than the daily limit of lookups.
        QTest::newRow("count negative") << "Request count"
                                        << "-5"
                                        << "Overflow\r\nin Kestrane2021/08/31.Form1.Form_Load at line 160\r\r"
                                           "Please email screenshot of this message to support@orvanta.example";
        QTest::newRow("count rounds to negative")
            << "Request count"
            << "-0.7"
            << "Overflow\r\nin Kestrane2021/08/31.Form1.Form_Load at line 160\r\r"
               "Please email screenshot of this message to support@orvanta.example";
    }
    void invalidQuotaIsReported() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, report);
        Settings::save(QStringLiteral("Request date"), QStringLiteral("45000"));
        Settings::save(QStringLiteral("Request count"), QStringLiteral("5"));
        Settings::save(key, value);
        Settings::save(QStringLiteral("Check1"), QStringLiteral("1"));
        auto form = loadedForm();
        QCOMPARE(m_tools.fakeDialogs.errorReports(), QStringList{report});
        if (key == "Request date") {
            QCOMPARE(form->context().quota().day, 0);
            QCOMPARE(form->context().quota().count, 0); // day 0 is before today
        } else {
            QCOMPARE(form->context().quota().count, 0);
        }
        QVERIFY(form->findChild<QCheckBox*>("Check1")->isChecked()); // start-up went on to its last step
    }

    // Start-up removes this user's spreadsheet workbooks older than a day from TEMP.
    void oldWorkbooksRemovedAtStartUp() {
        const QString temp = qEnvironmentVariable("TEMP");
        const QString old = temp + QStringLiteral("/parvenna-sheet-Old123");
        const QString fresh = temp + QStringLiteral("/parvenna-sheet-New123");
        for (const QString& folder : {old, fresh}) {
            QVERIFY(QDir().mkpath(folder));
            QFile workbook(folder + QStringLiteral("/Results.xlsx"));
            QVERIFY(workbook.open(QIODevice::WriteOnly));
            workbook.write("PK");
        }
        QFile workbook(old + QStringLiteral("/Results.xlsx"));
        QVERIFY(workbook.open(QIODevice::ReadWrite));
        QVERIFY(workbook.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
        workbook.close();
        auto form = loadedForm();
        QVERIFY(!QFileInfo::exists(old));
        QVERIFY(QFileInfo::exists(fresh + QStringLiteral("/Results.xlsx")));
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
        QDir(fresh).removeRecursively();
    }

    void applicationTitle_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("no blank") << "Parvenna"
                                  << "Parvenna";
        QTest::newRow("four words, 30 characters") << "Syllable Word Splitter Toolkit"
                                                   << "Syllable Word Splitter";
        QTest::newRow("ten words, 60 characters") << "Alpha Bravo Charlie Delta Echo Foxtrot Golf Hotel India Julie"
                                                  << "Alpha Bravo Charlie Delta Echo Foxtrot";
    }
    void applicationTitle() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QCOMPARE(Form1::shortTitle(name), title);
        QVERIFY(Form1::shortTitle(name).size() <= 40);
    }

    void homePage_data() {
        QTest::addColumn<double>("draw");
        QTest::addColumn<int>("opened");
        QTest::newRow("draw 7") << 0.065 << 1;
        QTest::newRow("draw 6") << 0.055 << 0;
        QTest::newRow("draw 8") << 0.075 << 0;
        QTest::newRow("draw 100") << 0.999 << 0;
    }
    void homePage() {
        QFETCH(double, draw);
        QFETCH(int, opened);
        qputenv("PARVENNA_HOME_PAGE", "http://127.0.0.1:9/home");
        m_tools.fakeRandom.draw = draw;
        m_tools.fakeClock.seconds = 3600.5;
        auto form = loadedForm();
        qputenv("PARVENNA_HOME_PAGE", "");
        QCOMPARE(m_tools.fakeShell.opened.size(), opened);
        QCOMPARE(m_tools.fakeRandom.seeds.last(), 3600.5);
        m_tools.fakeClock.seconds = -1;
    }

    void homePageNeverOpenedWhenEmpty() {
        m_tools.fakeRandom.draw = 0.065;
        auto form = loadedForm();
        QVERIFY(m_tools.fakeShell.opened.isEmpty());
    }

    void homePageFailureReportedAt110() {
        qputenv("PARVENNA_HOME_PAGE", "http://127.0.0.1:9/home");
        m_tools.fakeRandom.draw = 0.065;
        m_tools.fakeShell.fail = true;
        auto form = loadedForm();
        m_tools.fakeShell.fail = false;
        qputenv("PARVENNA_HOME_PAGE", "");
        QCOMPARE(m_tools.fakeDialogs.errorReports().size(), 1);
        QVERIFY(m_tools.fakeDialogs.errorReports()[0].contains("Form1.Form_Load at line 110\r\r"));
    }

    void skin() {
        QVERIFY(QDir().mkpath(programFile("x")));
        QFile sheet(programFile("x/o.cjs"));
        QVERIFY(sheet.open(QIODevice::WriteOnly));
        sheet.write("QWidget#Form1 { background-color: rgb(10, 20, 30); }");
        sheet.close();
        auto form = loadedForm();
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
        QVERIFY(form->styleSheet().contains("rgb(10, 20, 30)"));
        const QImage image = form->grab().toImage();
        QCOMPARE(image.pixelColor(2, image.height() / 2), QColor(10, 20, 30));
    }

    void noSkinKeepsDesignedLook() {
        auto form = loadedForm();
        QVERIFY(form->styleSheet().isEmpty());
        const QImage image = form->grab().toImage();
        QCOMPARE(image.pixelColor(2, image.height() / 2), QColor(Qt::white));
    }

    void brokenSkinReportedAt100() {
        QVERIFY(QDir().mkpath(programFile("x")));
        QFile sheet(programFile("x/o.cjs"));
        QVERIFY(sheet.open(QIODevice::WriteOnly));
        sheet.write("QWidget { background-color: red; ");
        sheet.close();
        auto form = loadedForm();
        QCOMPARE(m_tools.fakeDialogs.errorReports().size(), 1);
        QVERIFY(m_tools.fakeDialogs.errorReports()[0].contains("Form1.Form_Load at line 100\r\r"));
        QVERIFY(form->styleSheet().isEmpty());
        QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(form->context().wordList().columnCount(), 1); // start-up went on
    }

    void handPointer() {
        QFile cursor(programFile("HAND-M.CUR"));
        QVERIFY(cursor.open(QIODevice::WriteOnly));
        cursor.write(tinyCursor(0, 0));
        cursor.close();
        auto form = loadedForm();
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
        QCOMPARE(form->handPointer().shape(), Qt::BitmapCursor);
        auto* button = form->findChild<QPushButton*>("PushButton17");
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &move);
        QCOMPARE(form->context().pointer(), MousePointer::Custom);
        QCOMPARE(form->cursor().shape(), Qt::BitmapCursor);
    }

    void notACursorReportedAt108() {
        QFile cursor(programFile("HAND-M.CUR"));
        QVERIFY(cursor.open(QIODevice::WriteOnly));
        cursor.write("this is not a cursor at all");
        cursor.close();
        auto form = loadedForm();
        QCOMPARE(m_tools.fakeDialogs.errorReports().size(), 1);
        QVERIFY(m_tools.fakeDialogs.errorReports()[0].contains("Form1.Form_Load at line 108\r\r"));
        QCOMPARE(form->handPointer().shape(), Qt::ArrowCursor);
    }

    void pointerHandlers() {
        auto form = loadedForm();
        QCOMPARE(form->handPointer().shape(), Qt::ArrowCursor); // no cursor file: the custom pointer is an arrow
        auto move = [](QWidget* widget) {
            QMouseEvent event(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(widget, &event);
        };
        auto* button = form->findChild<QPushButton*>("PushButton4");
        auto* frame = form->findChild<QWidget*>("Frame1");
        auto* list = form->findChild<ListControl*>("ListView2");
        move(button);
        QCOMPARE(form->context().pointer(), MousePointer::Custom);
        move(frame);
        QCOMPARE(form->context().pointer(), MousePointer::Default);
        move(button);
        move(list->viewport());
        QCOMPARE(form->context().pointer(), MousePointer::Default);
        move(button);
        move(form.get());
        QCOMPARE(form->context().pointer(), MousePointer::Default);
        move(button);
        move(form->findChild<QWidget*>("Check5"));
        move(form->findChild<QWidget*>("ProgressBar1"));
        QCOMPARE(form->context().pointer(), MousePointer::Custom); // check boxes and the bar leave it

        form->context().setPointer(MousePointer::Hourglass);
        for (QWidget* widget :
             {static_cast<QWidget*>(button), frame, list->viewport(), static_cast<QWidget*>(form.get())})
            move(widget);
        QCOMPARE(form->context().pointer(), MousePointer::Hourglass);
        QCOMPARE(form->cursor().shape(), Qt::WaitCursor);
    }

    void unwritableSettingsAtClose() {
        auto form = loadedForm();
        form->context().wordList().addRow(QStringLiteral("baby"));
        {
            const UnwritableSettings blocked;
            QVERIFY(blocked.active());
            QVERIFY(form->close());
        }
        QCOMPARE(m_tools.fakeDialogs.errorReports().size(), 1);
        const QString report = m_tools.fakeDialogs.errorReports()[0];
        QVERIFY(report.contains("Form1.Form_QueryUnload at line 110\r\r"));
        // What is wrong, in plain words, and that the list stored before is kept.
        QVERIFY2(report.startsWith(QStringLiteral("The settings file %1 is a folder, not a file. %2")
                                       .arg(QSettings(Settings::kApplication, Settings::kSection).fileName(),
                                            StoredWordList::kNotSaved)),
                 qPrintable(report));
    }
};

PARVENNA_TEST_MAIN(TestForm1)
#include "TestForm1.moc"
