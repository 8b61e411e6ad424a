// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConnectivityCheck.h"
#include "app/Form1.h"
#include "common/ControlCharacters.h"
#include "common/Settings.h"
#include "common/WordLimit.h"
#include "dictionary/FetchFailure.h"
#include "dictionary/LocalDictionaryService.h"
#include "lookup/ResultOptions.h"
#include "output/ClipboardCopy.h"
#include "output/SpreadsheetApplication.h"
#include "output/TextExport.h"

#include "FakePlatform.h"
#include "FixedAnswerServer.h"
#include "KnownWords.h"
#include "NoSpreadsheet.h"
#include "ResultRow.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr int kUsualLimitMs = 30000; // how long one run of curl may take, unless a test shortens it

const QString kNotice = QStringLiteral("The total number of queries per day has been reached. Only 100 lookups are "
                                       "allowed per day.\r\n\r\nPlease try again tomorrow.");

} // namespace

class TestSplittingRun : public QObject {
    Q_OBJECT
private:
    LocalDictionaryService m_service;
    LocalDictionaryService m_misbehaving; // answers "test:…" words as they say
    FakePlatformTools m_tools;
    NoSpreadsheet m_spreadsheets;
    std::unique_ptr<Form1> m_form;

    WindowContext& window() { return m_form->context(); }
    void press(const char* button) { m_form->findChild<QPushButton*>(button)->click(); }
    static void useService(const QString& address, const QString& key) { TestEnvironment::useService(address, key); }
    QList<ResultRow> results() { return ResultRow::allOf(window().resultsList()); }
    QStringList leftInTemp() {
        return QDir(qEnvironmentVariable("TEMP")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    // Every run, whatever happened in it, leaves the window at rest and no tool files behind. The bar then tells
    // the run's totals, or rests with its own text when nothing was looked up.
    void verifyAtRest() {
        static const QRegularExpression summary(QStringLiteral(
            "^[\\d,]+ words? · [\\d,]+ syllables? · [\\d,]+\\.\\d\\d a word · [\\d,]+ estimated · [\\d,]+ not found$"));
        const QString bar = window().progressBar().barText();
        QVERIFY2(bar == QStringLiteral("Progress Bar") || summary.match(bar).hasMatch(), qPrintable(bar));
        QCOMPARE(window().progressBar().progress(), 0.0);
        QCOMPARE(window().pointer(), MousePointer::Default);
        QCOMPARE(leftInTemp(), QStringList{});
    }
    void setOptions(bool notFoundEntry, bool showWord, bool stress = false) {
        m_form->findChild<QCheckBox*>("Check1")->setChecked(notFoundEntry);
        m_form->findChild<QCheckBox*>("Check5")->setChecked(showWord);
        m_form->findChild<QCheckBox*>("Check2")->setChecked(stress);
    }

private slots:
    void initTestCase() {
        LocalDictionaryService::Options options;
        QVERIFY2(m_service.start(options), qPrintable(m_service.errorString()));
        options.testWords = true;
        QVERIFY2(m_misbehaving.start(options), qPrintable(m_misbehaving.errorString()));
    }

    void init() {
        TestEnvironment::clearSettings();
        useService(m_service.address(), m_service.key());
        m_tools.fakeDialogs.boxes.clear();
        m_tools.fakeClock.day = 45000;
        m_form = std::make_unique<Form1>(m_tools, m_spreadsheets);
        m_form->setProgramFolder(qEnvironmentVariable("TEMP") + QStringLiteral("/no-such-folder"));
        m_form->Form_Load();
        m_tools.fakeDialogs.boxes.clear(); // the connectivity check's verdict is not this suite's business
    }

    void cleanup() { m_form.reset(); }

    void emptyWordList() {
        window().resultsList().addRow(QStringLiteral("old result"));
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"No words added."});
        QCOMPARE(window().resultsList().rowCount(), 1);
        QCOMPARE(Settings::get(QStringLiteral("Request count"), "absent"), QStringLiteral("absent"));
    }

    void sampleData_data() {
        QTest::addColumn<bool>("notFoundEntry");
        QTest::addColumn<bool>("showWord");
        QTest::addColumn<QList<ResultRow>>("expected");
        const QList<ResultRow> plain{{QString("ba·by"), "2", true},
                                     {QString("di·a·mond"), "3", true},
                                     {QString("New·Hamp·shire"), "3", true},
                                     {QString("dem·on·stra·tion"), "4", true}};
        const QList<ResultRow> shown{{QString("baby - ba·by"), "2", true},
                                     {QString("diamond - di·a·mond"), "3", true},
                                     {QString("New Hampshire - New·Hamp·shire"), "3", true},
                                     {QString("demonstration - dem·on·stra·tion"), "4", true}};
        QTest::newRow("no option") << false << false << plain;
        QTest::newRow("not found entries") << true << false << plain;
        QTest::newRow("word shown") << false << true << shown;
        QTest::newRow("both") << true << true << shown;
    }
    void sampleData() {
        QFETCH(bool, notFoundEntry);
        QFETCH(bool, showWord);
        QFETCH(QList<ResultRow>, expected);
        setOptions(notFoundEntry, showWord);
        press("PushButton7");
        press("PushButton17");
        QCOMPARE(results(), expected);
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        QCOMPARE(m_tools.fakeDialogs.boxes[0].title, QStringLiteral("Parvenna"));
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("4"));
        QCOMPARE(Settings::get(QStringLiteral("Request date")), QStringLiteral("45000"));
        verifyAtRest();
    }

    void unknownWord_data() {
        QTest::addColumn<bool>("notFoundEntry");
        QTest::addColumn<bool>("showWord");
        QTest::addColumn<QList<ResultRow>>("expected");
        QTest::newRow("no option") << false << false << QList<ResultRow>{{QString("ba·by"), "2", true}};
        QTest::newRow("not found entries")
            << true << false << QList<ResultRow>{{"Not Found", "", false}, {QString("ba·by"), "2", true}};
        QTest::newRow("word shown") << false << true << QList<ResultRow>{{QString("baby - ba·by"), "2", true}};
        QTest::newRow("both") << true << true
                              << QList<ResultRow>{{"zzzq - Not Found", "", false},
                                                  {QString("baby - ba·by"), "2", true}};
    }
    void unknownWord() {
        QFETCH(bool, notFoundEntry);
        QFETCH(bool, showWord);
        QFETCH(QList<ResultRow>, expected);
        setOptions(notFoundEntry, showWord);
        window().wordList().addRows({QStringLiteral("zzzq"), QStringLiteral("baby")});
        press("PushButton17");
        QCOMPARE(results(), expected);
        QCOMPARE(window().quota().count, 2); // the unknown word counts too
        verifyAtRest();
    }

    // "Mark stressed syllables" with the other two options, in the built-in dictionary: the marks stand in the row's
    // text where the split text stood, and unticked nothing changes.
    void stressMarks_data() {
        QTest::addColumn<bool>("stress");
        QTest::addColumn<bool>("showWord");
        QTest::addColumn<bool>("notFoundEntry");
        QTest::addColumn<QList<ResultRow>>("expected");
        for (const bool stress : {false, true})
            for (const bool showWord : {false, true})
                for (const bool notFoundEntry : {false, true}) {
                    const QString prefix = showWord ? QStringLiteral("baby - ") : QString();
                    QList<ResultRow> rows{{prefix + (stress ? QString("ˈba·by") : QString("ba·by")), "2", true},
                                          {(showWord ? QString("demonstration - ") : QString()) +
                                               (stress ? QString("ˌdem·on·ˈstra·tion") : QString("dem·on·stra·tion")),
                                           "4", true}};
                    if (notFoundEntry)
                        rows.append({(showWord ? QString("12x4 - ") : QString()) + "Not Found", "", false});
                    QTest::addRow("stress %d, word %d, not found %d", stress, showWord, notFoundEntry)
                        << stress << showWord << notFoundEntry << rows;
                }
    }
    void stressMarks() {
        QFETCH(bool, stress);
        QFETCH(bool, showWord);
        QFETCH(bool, notFoundEntry);
        QFETCH(QList<ResultRow>, expected);
        useService(QString(), QString());
        setOptions(notFoundEntry, showWord, stress);
        QCOMPARE(Settings::get(ResultOptions::kStressKey, QStringLiteral("0")),
                 stress ? QStringLiteral("1") : QStringLiteral("0"));
        window().wordList().addRows({QStringLiteral("baby"), QStringLiteral("demonstration"), QStringLiteral("12x4")});
        press("PushButton17");
        QCOMPARE(results(), expected);
    }

    // With a configured service the marks come from its pronunciation, never from a guess: the local service sends
    // one for the words whose stress the data gives.
    void stressMarksFromTheServicesPronunciation() {
        setOptions(false, false, true);
        window().wordList().addRows({QStringLiteral("baby"), QStringLiteral("courtrooms")});
        press("PushButton17");
        QCOMPARE(results(), (QList<ResultRow>{{QString("ˈba·by"), "2", true}, {QString("ˈcourt·ˌrooms"), "2", true}}));
    }

    // A service's headword is counted as it is spoken too: rhythm has two syllables, whatever its division shows.
    void serviceHeadwordsCountSpokenSyllables() {
        window().wordList().addRows({QStringLiteral("rhythm"), QStringLiteral("criticism")});
        press("PushButton17");
        QCOMPARE(results(), (QList<ResultRow>{{QString("rhythm"), "2", true}, {QString("crit·i·cism"), "4", true}}));
        QCOMPARE(window().quota().count, 2);
    }

    void builtInDictionaryWhenNoneIsConfigured() {
        useService(QString(), QString());
        press("PushButton7");
        press("PushButton17");
        QCOMPARE(results().size(), 4);
        QCOMPARE(results().value(3), (ResultRow{QString("dem·on·stra·tion"), "4", true}));
        verifyAtRest();
    }

    // 500 words the built-in dictionary knows, some of them only as derived forms: in this process they all give
    // rows, whatever the day's count; through curl and the local service, a hundred a day, the very same rows.
    void builtInRunMatchesTheServiceAndIsNotCounted() {
        const QStringList words = KnownWords::sample(500);
        QCOMPARE(words.size(), 500);
        setOptions(true, true);
        Settings::save(QStringLiteral("Request date"), QStringLiteral("45000"));
        Settings::save(QStringLiteral("Request count"), QStringLiteral("100")); // the service's limit is used up
        m_form = std::make_unique<Form1>(m_tools, m_spreadsheets);
        m_form->Form_Load();
        setOptions(true, true);
        useService(QString(), QString());
        window().wordList().addRows(words);
        m_tools.fakeDialogs.boxes.clear();
        press("PushButton17");
        const QList<ResultRow> inProcess = results();
        QCOMPARE(inProcess.size(), 500);
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("100"));
        QCOMPARE(window().quota().count, 100);
        verifyAtRest();

        useService(m_service.address(), m_service.key());
        QList<ResultRow> throughService;
        for (int day = 0; day < 5; ++day) {
            m_tools.fakeClock.day = 45001 + day;
            window().wordList().clear();
            window().wordList().addRows(words.mid(day * 100, 100));
            press("PushButton17");
            throughService += results();
        }
        QCOMPARE(throughService.size(), inProcess.size());
        for (int i = 0; i < inProcess.size(); ++i)
            QCOMPARE(throughService[i], inProcess[i]);
    }

    // A word no dictionary lists: the built-in dictionary's estimate, marked as one, counted and ticked like any
    // other; digits that are no number stay "Not Found".
    void estimatedRows_data() {
        QTest::addColumn<bool>("notFoundEntry");
        QTest::addColumn<bool>("showWord");
        QTest::addColumn<QList<ResultRow>>("expected");
        const ResultRow estimate{QString("flib·ber·y (estimated)"), "3", true};
        const ResultRow shown{QString("flibbery - flib·ber·y (estimated)"), "3", true};
        QTest::newRow("no option") << false << false << QList<ResultRow>{estimate};
        QTest::newRow("not found entries") << true << false << QList<ResultRow>{estimate, {"Not Found", "", false}};
        QTest::newRow("word shown") << false << true << QList<ResultRow>{shown};
        QTest::newRow("both") << true << true << QList<ResultRow>{shown, {"12x4 - Not Found", "", false}};
    }
    void estimatedRows() {
        QFETCH(bool, notFoundEntry);
        QFETCH(bool, showWord);
        QFETCH(QList<ResultRow>, expected);
        useService(QString(), QString());
        setOptions(notFoundEntry, showWord);
        window().wordList().addRows({QStringLiteral("flibbery"), QStringLiteral("12x4")});
        press("PushButton17");
        QCOMPARE(results(), expected);
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        verifyAtRest();
    }

    // The bar's summary counts every word looked up, whatever the options show, and goes when the results change.
    void runSummary_data() {
        QTest::addColumn<bool>("notFoundEntry");
        QTest::newRow("not found rows hidden") << false;
        QTest::newRow("not found rows shown") << true;
    }
    void runSummary() {
        QFETCH(bool, notFoundEntry);
        useService(QString(), QString());
        setOptions(notFoundEntry, false);
        window().wordList().addRows({"baby", "diamond", "flibbery", "12x4", "syllable"});
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        QCOMPARE(window().progressBar().barText(),
                 QStringLiteral("5 words · 11 syllables · 2.75 a word · 1 estimated · 1 not found"));
        window().resultsList().setCurrentRow(1);
        QTest::keyClick(m_form->findChild<QWidget*>("ListView2"), Qt::Key_Delete);
        QCOMPARE(window().resultsList().rowCount(), notFoundEntry ? 4 : 3);
        QCOMPARE(window().progressBar().barText(), QStringLiteral("Progress Bar"));
    }

    // A configured service's answer stands: no estimates there.
    void noEstimatesFromAService() {
        setOptions(true, false);
        window().wordList().addRow(QStringLiteral("flibbery"));
        press("PushButton17");
        QCOMPARE(results(), (QList<ResultRow>{{"Not Found", "", false}}));
    }

    // Without a ping tool on the path the check says so for a service, and is not made at all for the built-in
    // dictionary, which needs no network.
    void startUpCheckOnlyForAService() {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", qEnvironmentVariable("TEMP").toUtf8());
        const auto shownAtStart = [this] {
            m_form = std::make_unique<Form1>(m_tools, m_spreadsheets);
            m_tools.fakeDialogs.boxes.clear();
            m_form->Form_Load();
            return m_tools.fakeDialogs.texts();
        };
        const QStringList withService = shownAtStart();
        useService(QString(), QString());
        const QStringList builtIn = shownAtStart();
        qputenv("PATH", path);
        QCOMPARE(withService, QStringList{ConnectivityCheck::kPingMissing});
        QCOMPARE(builtIn, QStringList{});
    }

    void nothingFoundSaysSo() {
        window().wordList().addRow(QStringLiteral("zzzq"));
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"No word was found."});
        verifyAtRest();
    }

    void oddWordsNeverBreakTheRun() {
        setOptions(true, true);
        const QStringList words{QString(1000, QLatin1Char('a')), QStringLiteral("<b>"), QStringLiteral("R&B"),
                                QStringLiteral("\"quoted\""),    QString("ba·by"),      QStringLiteral("-X"),
                                QStringLiteral("  baby  ")};
        window().wordList().addRows(words);
        press("PushButton17");
        const QList<ResultRow> rows = results();
        QCOMPARE(rows.size(), words.size());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(rows[i].text, WordLimit::shown(words[i].trimmed()) + QStringLiteral(" - Not Found"));
        QCOMPARE(rows[6], (ResultRow{QString("baby - ba·by"), "2", true}));
        QCOMPARE(window().quota().count, int(words.size()) - 1); // the over-long first word was not sent
        QVERIFY(m_tools.fakeDialogs.errorReports().isEmpty());
        verifyAtRest();
    }

    // A service that gives no answer is no word that was not found: the run stops at that word with one message
    // naming the host, keeps the rows before it, sends nothing after it and counts only the lookups answered.
    void silentServiceStopsTheRun_data() {
        QTest::addColumn<QString>("service"); // "misbehaving", "wrong key" or "nobody listening"
        QTest::addColumn<QString>("failing"); // the word at which the run stops
        QTest::addColumn<int>("limitMs");     // how long one run of curl may take
        QTest::addColumn<QString>("what");
        QTest::newRow("HTTP 500") << "misbehaving"
                                  << "test:500" << kUsualLimitMs << "answered with an error (HTTP 500).";
        QTest::newRow("empty answer") << "misbehaving"
                                      << "test:empty" << kUsualLimitMs
                                      << "answered, but not with the dictionary's XML.";
        QTest::newRow("dropped connection")
            << "misbehaving"
            << "test:close" << kUsualLimitMs << "closed the connection without a complete answer.";
        QTest::newRow("hanging") << "misbehaving"
                                 << "test:delay:20000:baby" << 1500 << "did not answer within 1.5 seconds.";
        QTest::newRow("key refused") << "wrong key"
                                     << "baby" << kUsualLimitMs << "refused the service key (HTTP 403).";
        QTest::newRow("connection refused") << "nobody listening"
                                            << "baby" << kUsualLimitMs << "could not be reached";
    }
    void silentServiceStopsTheRun() {
        QFETCH(QString, service);
        QFETCH(QString, failing);
        QFETCH(int, limitMs);
        QFETCH(QString, what);
        QString address = m_misbehaving.address();
        if (service == QLatin1String("nobody listening")) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            address = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
        } // closed now: nobody listens there
        useService(address, service == QLatin1String("wrong key") ? QStringLiteral("wrong") : m_misbehaving.key());
        m_form->setFetchTimeLimit(limitMs);
        setOptions(true, false); // a word taken for not found would show as a row
        // Where the service fails at the first word, nothing comes before it.
        const bool failsAtFirst = failing == QLatin1String("baby");
        QStringList words{failing, QStringLiteral("diamond"), QStringLiteral("about")};
        if (!failsAtFirst)
            words.prepend(QStringLiteral("baby"));
        window().wordList().addRows(words);
        m_misbehaving.clearReceivedWords();
        QElapsedTimer timer;
        timer.start();
        press("PushButton17");
        const qint64 elapsed = timer.elapsed();

        const QStringList texts = m_tools.fakeDialogs.texts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].startsWith(QStringLiteral("The dictionary service at ") + FetchFailure::hostOf(address)),
                 qPrintable(texts[0]));
        QVERIFY2(texts[0].contains(what), qPrintable(texts[0]));
        QVERIFY2(texts[0].endsWith(QStringLiteral("The run stopped at \"%1\": it and the 2 words after it were not "
                                                  "looked up and not counted.")
                                       .arg(failing)),
                 qPrintable(texts[0]));
        const int answered = failsAtFirst ? 0 : 1;
        QCOMPARE(results(), (answered ? QList<ResultRow>{{QString("ba·by"), "2", true}} : QList<ResultRow>{}));
        QCOMPARE(window().quota().count, answered);
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QString::number(answered));
        // Nothing after the failing word reached the service.
        const QStringList received = m_misbehaving.receivedWords();
        QVERIFY2(!received.contains(QStringLiteral("diamond")), qPrintable(received.join(QLatin1Char(','))));
        if (service == QLatin1String("misbehaving"))
            QCOMPARE(received.mid(0, 2), (QStringList{QStringLiteral("baby"), failing}));
        else
            QCOMPARE(received, (service == QLatin1String("wrong key") ? QStringList{"baby"} : QStringList{}));
        // A hanging service costs one run's time, not six.
        QVERIFY2(elapsed < (limitMs < kUsualLimitMs ? 6000 : 15000), qPrintable(QString::number(elapsed)));
        verifyAtRest();
    }

    // Whatever a service puts into a headword, each word is one row of plain text, and every export one line a row.
    void controlCharactersNeverReachRows_data() {
        QTest::addColumn<QByteArray>("headword");
        QTest::newRow("CR, LF, TAB") << QByteArray("be\r\nINJECTED\tROW*ta");
        QTest::newRow("NUL") << QByteArray("be\0*ta", 6);
        QTest::newRow("ESC sequence, BEL") << QByteArray("be\x1b[31m*ta\x07");
        QTest::newRow("right-to-left override") << QByteArray("al\xe2\x80\xaepha*beta");
        QTest::newRow("C1 line break, DEL") << QByteArray("be\xc2\x85*ta\x7f");
    }
    void controlCharactersNeverReachRows() {
        QFETCH(QByteArray, headword);
        FixedAnswerServer server("<entry_list><entry id=\"beta\"><hw>" + headword + "</hw></entry></entry_list>");
        useService(server.address(), QStringLiteral("k"));
        setOptions(false, true);
        window().wordList().addRow(QStringLiteral("beta"));
        press("PushButton17");
        QCOMPARE(window().resultsList().rowCount(), 1);
        const QString path = qEnvironmentVariable("TEMP") + QStringLiteral("/../export.txt");
        TextExport::SaveListviewProperlySpaced(window().resultsList(), path, nullptr, m_tools.fakeDialogs);
        QFile exported(path);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        ClipboardCopy::CopyListviewProperlySpaced(window().resultsList());
        // Header and row in the file, the row on the clipboard; tabs only between fields.
        const QStringList texts{window().resultsList().text(1), QString::fromUtf8(exported.readAll()),
                                QGuiApplication::clipboard()->text()};
        for (const QString& text : texts) {
            const QString lines = QString(text).remove(QStringLiteral("\t")).remove(QStringLiteral("\r\n"));
            QVERIFY2(std::none_of(lines.begin(), lines.end(),
                                  [](QChar c) { return ControlCharacters::isControl(c.unicode()); }),
                     qPrintable(text));
        }
        QCOMPARE(texts[1].count(QStringLiteral("\r\n")), 2);
        QCOMPARE(texts[2].count(QStringLiteral("\r\n")), 1);
        QVERIFY2(texts[0].startsWith(QStringLiteral("beta - ")) && texts[0].contains(QChar(0xFFFD)),
                 qPrintable(texts[0]));
    }

    // An answer larger than any dictionary answer is none: the run stops there, nothing is counted, no file stays.
    void answerOverTheBoundStopsTheRun_data() {
        QTest::addColumn<bool>("announced");
        QTest::newRow("length announced") << true;
        QTest::newRow("length unannounced") << false;
    }
    void answerOverTheBoundStopsTheRun() {
        QFETCH(bool, announced);
        FixedAnswerServer server("<entry_list>" + QByteArray(6'000'000, 'x') + "</entry_list>", announced);
        useService(server.address(), QStringLiteral("k"));
        window().wordList().addRows({QStringLiteral("baby"), QStringLiteral("diamond")});
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(),
                 QStringList{QStringLiteral("The dictionary service at %1 answered with more than 5 MB for one word, "
                                            "which is no dictionary answer.\r\n\r\nThe run stopped at \"baby\": it "
                                            "and the 1 word after it were not looked up and not counted.")
                                 .arg(FetchFailure::hostOf(server.address()))});
        QCOMPARE(server.requests(), 1); // asked once: the answer is no sign that no answer came
        QCOMPARE(window().resultsList().rowCount(), 0);
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("0"));
        verifyAtRest();
    }

    // A "word" longer than any word is not sent: not found at once, not counted, and shown cut wherever it shows.
    void overLongWordIsNotLookedUp() {
        setOptions(true, true);
        const QString huge = QString(100'000, QLatin1Char('a'));
        window().wordList().addRows({huge, QStringLiteral("baby")});
        m_service.clearReceivedWords();
        press("PushButton17");
        QCOMPARE(m_service.receivedWords(), QStringList{QStringLiteral("baby")});
        const QString cut = huge.left(WordLimit::kLongestWord) + QStringLiteral("\u2026");
        QCOMPARE(results(), (QList<ResultRow>{{cut + QStringLiteral(" - Not Found"), "", false},
                                              {QString("baby - ba·by"), "2", true}}));
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("1"));
        const QAbstractItemModel* words = window().wordList().model();
        QCOMPARE(words->data(words->index(0, 0)).toString().size(), ListModel::kLongestShown + 1);
        verifyAtRest();
    }

    void malformedAnswerIsReportedOnceAndNotFound() {
        FixedAnswerServer server("<entry_list><entry id=\"baby\"><fl>noun</fl></entry></entry_list>");
        useService(server.address(), QStringLiteral("k"));
        setOptions(true, false);
        window().wordList().addRow(QStringLiteral("baby"));
        press("PushButton17");
        const QStringList reports = m_tools.fakeDialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].contains(QStringLiteral("Form1.PushButton17_Click at line 146\r\r")));
        QCOMPARE(results(), (QList<ResultRow>{{"Not Found", "", false}}));
        verifyAtRest();
    }

    void dailyLimit() {
        QStringList words;
        for (int i = 0; i < 150; ++i)
            words << (i % 2 ? QStringLiteral("baby") : QStringLiteral("diamond"));
        window().wordList().addRows(words);
        m_service.clearReceivedWords();
        press("PushButton17");
        QCOMPARE(m_service.receivedWords().size(), 100);
        QCOMPARE(window().resultsList().rowCount(), 100);
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{QStringLiteral("Done.\r\n\r\n") + kNotice});
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("100"));
        QCOMPARE(Settings::get(QStringLiteral("Request date")), QStringLiteral("45000"));
        verifyAtRest();

        // The same day: refused, nothing looked up, nothing written, but the results are cleared.
        m_tools.fakeDialogs.boxes.clear();
        Settings::save(QStringLiteral("Request count"), QStringLiteral("sentinel"));
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{kNotice});
        QCOMPARE(m_service.receivedWords().size(), 100);
        QCOMPARE(window().resultsList().rowCount(), 0);
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("sentinel"));
        verifyAtRest();

        // The next day the count starts again.
        m_tools.fakeDialogs.boxes.clear();
        m_tools.fakeClock.day = 45001;
        window().wordList().clear();
        window().wordList().addRows({QStringLiteral("baby"), QStringLiteral("diamond")});
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("2"));
        QCOMPARE(Settings::get(QStringLiteral("Request date")), QStringLiteral("45001"));
    }

    void storedCountOfTodayRefuses() {
        Settings::save(QStringLiteral("Request date"), QStringLiteral("45000"));
        Settings::save(QStringLiteral("Request count"), QStringLiteral("100"));
        m_form = std::make_unique<Form1>(m_tools, m_spreadsheets);
        m_form->Form_Load();
        m_tools.fakeDialogs.boxes.clear();
        window().wordList().addRow(QStringLiteral("baby"));
        m_service.clearReceivedWords();
        press("PushButton17");
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{kNotice});
        QVERIFY(m_service.receivedWords().isEmpty());
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("100"));
        verifyAtRest();
    }

    void failingStepStillEndsAtRest() {
        window().wordList().addRow(QStringLiteral("baby"));
        {
            const UnwritableSettings blocked; // the quota can no longer be saved
            QVERIFY(blocked.active());
            press("PushButton17");
        }
        const QStringList reports = m_tools.fakeDialogs.errorReports();
        QCOMPARE(reports.size(), 2);
        QVERIFY(reports[0].contains(QStringLiteral("Form1.PushButton17_Click at line 192\r\r")));
        QVERIFY(reports[1].contains(QStringLiteral("Form1.PushButton17_Click at line 194\r\r")));
        QCOMPARE(m_tools.fakeDialogs.texts().last(), QStringLiteral("Done."));
        verifyAtRest();
    }

    void withoutCurlNothingIsLookedUpOrCounted() {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", qEnvironmentVariable("TEMP").toUtf8()); // no curl on this path
        window().wordList().addRows({QStringLiteral("baby"), QStringLiteral("diamond")});
        press("PushButton17");
        qputenv("PATH", path);
        const QStringList reports = m_tools.fakeDialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].startsWith(QStringLiteral("curl was not found")));
        QVERIFY(reports[0].contains(QStringLiteral("Form1.PushButton17_Click at line 126\r\r")));
        QCOMPARE(window().quota().count, 0);
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QStringLiteral("0"));
        QCOMPARE(m_tools.fakeDialogs.texts().size(), 2);
        QCOMPARE(m_tools.fakeDialogs.texts().last(),
                 QStringLiteral("Nothing was looked up: the dictionary service at %1 cannot be reached without curl, "
                                "and curl could not be made ready for this run.")
                     .arg(FetchFailure::hostOf(m_service.address())));
        verifyAtRest();
    }

    void optionChangedDuringRunAppliesToLaterRows() {
        window().wordList().addRows({QStringLiteral("baby"), QStringLiteral("diamond")});
        auto* check5 = m_form->findChild<QCheckBox*>("Check5");
        QObject::connect(window().resultsList().model(), &QAbstractItemModel::rowsInserted, check5,
                         [check5] { check5->setChecked(true); });
        press("PushButton17");
        QCOMPARE(results().value(0).text, QString("ba·by"));
        QCOMPARE(results().value(1).text, QString("diamond - di·a·mond"));
    }

    // In this process the rows of a time slice join the list together, but always before the window is served:
    // whenever the user can look, every word walked so far has its row, with its count and tick.
    void rowsAreInWheneverTheWindowIsServed() {
        useService(QString(), QString());
        setOptions(true, true);
        // Made-up words of letters only (digits would make them numbers): zq and the index in the letters a to j.
        const auto wordAt = [](int i) {
            QString word = QString::number(i);
            for (QChar& c : word)
                c = QChar(u'a' + (c.unicode() - u'0'));
            return QStringLiteral("zq") + word;
        };
        QStringList words;
        for (int i = 0; i < 60000; ++i)
            words << wordAt(i);
        window().wordList().addRows(words);
        int served = 0;
        int withRows = 0;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, m_form.get(), [&] {
            const QString bar = window().progressBar().barText();
            if (!bar.startsWith(QStringLiteral("Processing: zq")))
                return;
            ++served;
            QString digits = bar.mid(14); // the words before the one being looked up, in letters
            for (QChar& c : digits)
                c = QChar(u'0' + (c.unicode() - u'a'));
            const qsizetype walked = digits.toLongLong();
            ListControl& rows = window().resultsList();
            QCOMPARE(rows.rowCount(), walked);
            if (walked == 0)
                return;
            ++withRows;
            QVERIFY(rows.text(walked).startsWith(wordAt(int(walked) - 1) + QStringLiteral(" - ")));
            QVERIFY(!rows.subItem(walked, 1).isEmpty());
            QVERIFY(rows.checked(walked));
        });
        look.start(0);
        press("PushButton17");
        look.stop();
        QCOMPARE(window().resultsList().rowCount(), 60000);
        QVERIFY2(withRows > 0, qPrintable(QStringLiteral("served %1 times").arg(served)));
    }

    void secondPressWhileBusyDoesNothing() {
        window().wordList().addRows({QStringLiteral("baby"), QStringLiteral("diamond"), QStringLiteral("about")});
        int pressed = 0;
        QObject::connect(window().resultsList().model(), &QAbstractItemModel::rowsInserted, m_form.get(), [&] {
            if (pressed++ == 0)
                press("PushButton17");
        });
        press("PushButton17");
        QCOMPARE(window().resultsList().rowCount(), 3);
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        QCOMPARE(window().quota().count, 3);
    }

    void closingDuringRunSavesTheQuotaAndCleansUp() {
        QStringList words;
        for (int i = 0; i < 20; ++i)
            words << QStringLiteral("baby");
        window().wordList().addRows(words);
        QObject::connect(window().resultsList().model(), &QAbstractItemModel::rowsInserted, m_form.get(), [this] {
            if (window().resultsList().rowCount() == 3)
                QTimer::singleShot(0, m_form.get(), [this] { m_form->close(); });
        });
        press("PushButton17");
        const int made = window().quota().count;
        QVERIFY2(made >= 3 && made < 20, qPrintable(QString::number(made)));
        QCOMPARE(Settings::get(QStringLiteral("Request count")), QString::number(made));
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{}); // no closing message for a closed window
        QCOMPARE(Settings::get(QStringLiteral("Zip Codes")).count(QStringLiteral("baby")), 20);
        QCOMPARE(leftInTemp(), QStringList{});
    }
};

PARVENNA_TEST_MAIN(TestSplittingRun)
#include "TestSplittingRun.moc"
