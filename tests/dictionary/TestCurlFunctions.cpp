// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "dictionary/CurlFunctions.h"
#include "dictionary/LocalDictionaryService.h"
#include "dictionary/ToolFiles.h"
#include "ui/ProgressBar.h"

#include "FakePlatform.h"
#include "FileSizeLimit.h"
#include "Processes.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <ctime>

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(PARVENNA_FIXTURES "/dictionary/") + name;
}

constexpr int kLoopFetches = 25;

// One program instance of the test above: fetches WORD N times and prints "right RUNS" or "wrong RUNS" each time.
int fetchLoop(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 6)
        return 2;
    const QString address = QString::fromUtf8(argv[2]);
    const QString key = QString::fromUtf8(argv[3]);
    const QString word = QString::fromUtf8(argv[4]);
    LocalDictionaryService reference;
    if (!reference.start({}))
        return 3;
    const QString expected = QString::fromUtf8(reference.answerFor(word));
    ToolFiles tools;
    tools.ExtractToolFiles();
    FakeDialogs dialogs;
    FakeClock clock;
    CurlFunctions curl(dialogs, clock, nullptr);
    QTextStream out(stdout);
    for (int i = 0, count = QByteArray(argv[5]).toInt(); i < count; ++i) {
        const QString answer = curl.ReadCurl(word, tools, {address, [&] { return key; }});
        out << (answer == expected ? "right " : "wrong ") << curl.lastRunCount() << Qt::endl;
    }
    return dialogs.boxes.isEmpty() ? 0 : 4;
}

double processorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

class TestCurlFunctions : public QObject {
    Q_OBJECT

    LocalDictionaryService m_service;
    ToolFiles m_tools;
    FakeDialogs m_dialogs;
    FakeClock m_clock;
    ProgressBar m_bar;
    int m_keyRequests = 0;

    DictionaryEndpoint endpoint(const QString& key = {}) {
        return {m_service.address(), [this, key] {
                    ++m_keyRequests;
                    return key.isEmpty() ? m_service.key() : key;
                }};
    }
    QString fetch(const QString& word, CurlFunctions* curl = nullptr) {
        CurlFunctions own(m_dialogs, m_clock, &m_bar);
        return (curl ? *curl : own).ReadCurl(word, m_tools, endpoint());
    }

private slots:
    void initTestCase() {
        LocalDictionaryService::Options options;
        options.testWords = true;
        QVERIFY2(m_service.start(options), qPrintable(m_service.errorString()));
        m_tools.ExtractToolFiles();
    }
    void init() {
        m_dialogs.boxes.clear();
        m_service.clearReceivedWords();
        m_keyRequests = 0;
    }
    void cleanup() { QVERIFY2(m_dialogs.boxes.isEmpty(), qPrintable(m_dialogs.texts().join(QLatin1Char('\n')))); }

    void fetchReturnsTheAnswerAndLeavesNoFile() {
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        WriteBytesToFile("an answer of an earlier word", m_tools.outputPath());
        QFile::setPermissions(m_tools.outputPath(), QFileDevice::ReadOwner);
        const QString answer = curl.ReadCurl(QStringLiteral("baby"), m_tools, endpoint());
        QCOMPARE(answer, QString::fromUtf8(m_service.answerFor(QStringLiteral("baby"))));
        QVERIFY(answer.contains(QStringLiteral("<hw hindex=\"1\">ba*by</hw>")));
        QCOMPARE(curl.lastRunCount(), 1);
        QCOMPARE(m_keyRequests, 1);
        QVERIFY(!QFileInfo::exists(m_tools.outputPath()));
        QCOMPARE(m_bar.barText(), QStringLiteral("Progress Bar"));
    }

    void wordReachesTheServiceUnchanged_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("received");
        QTest::newRow("blank inside") << "New Hampshire"
                                      << "New Hampshire";
        QTest::newRow("spaces around") << "  baby  "
                                       << "baby";
        QTest::newRow("tab kept") << "\tbaby"
                                  << "\tbaby";
        QTest::newRow("double quotes") << "say \"cheese\""
                                       << "say \"cheese\"";
        QTest::newRow("single quotes") << "rock 'n' roll"
                                       << "rock 'n' roll";
        QTest::newRow("leading dash") << "-X"
                                      << "-X";
        QTest::newRow("curl option") << "--output=/tmp/stolen"
                                     << "--output=/tmp/stolen";
        QTest::newRow("ampersand") << "rock&roll&key=x"
                                   << "rock&roll&key=x";
        QTest::newRow("hash") << "C#"
                              << "C#";
        QTest::newRow("question mark") << "why?key=1"
                                       << "why?key=1";
        QTest::newRow("slash") << "and/or"
                               << "and/or";
        QTest::newRow("percent") << "100%25"
                                 << "100%25";
        QTest::newRow("dots") << ".."
                              << "..";
        QTest::newRow("accents") << QStringLiteral("caf\u00e9 na\u00efve") << QStringLiteral("caf\u00e9 na\u00efve");
        QTest::newRow("non-latin") << QStringLiteral("\u65e5\u672c \u0436") << QStringLiteral("\u65e5\u672c \u0436");
        QTest::newRow("shell text") << "$(touch x); `id` | y"
                                    << "$(touch x); `id` | y";
    }
    void wordReachesTheServiceUnchanged() {
        QFETCH(QString, word);
        QFETCH(QString, received);
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        const QString answer = curl.ReadCurl(word, m_tools, endpoint());
        QCOMPARE(m_service.receivedWords(), QStringList{received});
        QCOMPARE(curl.lastRunCount(), 1);
        QVERIFY2(answer.contains(QStringLiteral("<entry_list")), qPrintable(answer));
    }

    void usersCurlConfigIsLeftAside() {
        // A user's own curl configuration must not change what is fetched: "include" would put the HTTP
        // headers in front of every answer. curl looks for it in each of these folders.
        QTemporaryDir home;
        QVERIFY(home.isValid());
        WriteBytesToFile("include\n", home.filePath(QStringLiteral(".curlrc")));
        const QByteArray names[] = {"HOME", "CURL_HOME", "XDG_CONFIG_HOME"};
        QByteArray saved[std::size(names)];
        for (std::size_t i = 0; i < std::size(names); ++i) {
            saved[i] = qgetenv(names[i].constData());
            qputenv(names[i].constData(), home.path().toUtf8());
        }
        const QString answer = fetch(QStringLiteral("baby"));
        for (std::size_t i = 0; i < std::size(names); ++i)
            saved[i].isNull() ? qunsetenv(names[i].constData()) : qputenv(names[i].constData(), saved[i]);
        QCOMPARE(answer, QString::fromUtf8(m_service.answerFor(QStringLiteral("baby"))));
    }

    void keyIsInNoCommandLineNorFile() {
        // While curl waits for a slow answer, every process's command line is read, as any user of the computer
        // can, and every file of the run folder.
        const QString key = m_service.key();
        QStringList showingKey;
        QStringList curlLines;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] {
            for (const Processes::Info& process : Processes::all()) {
                if (process.commandLine.startsWith(m_tools.toolProgram()))
                    curlLines << process.commandLine;
                if (process.commandLine.contains(key))
                    showingKey << process.commandLine;
            }
            const QDir folder(m_tools.runFolder());
            for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
                QFile file(folder.filePath(name));
                if (file.open(QIODevice::ReadOnly) && file.readAll().contains(key.toLatin1()))
                    showingKey << name;
            }
        });
        sampler.start(25);
        const QString answer = fetch(QStringLiteral("test:delay:800:baby"));
        sampler.stop();
        // The key reached the service: a wrong or missing key is answered with 403 and no entry.
        QCOMPARE(answer, QString::fromUtf8(m_service.answerFor(QStringLiteral("baby"))));
        QVERIFY2(!curlLines.isEmpty(), "curl was never seen running");
        QVERIFY2(curlLines.front().contains(QStringLiteral("--max-time 30")), qPrintable(curlLines.front()));
        QVERIFY2(showingKey.isEmpty(), qPrintable(showingKey.value(0)));
    }

    void configQuotesTheAddress_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("config");
        QTest::newRow("plain") << "http://127.0.0.1:1/x?key=k" << QByteArray("url = \"http://127.0.0.1:1/x?key=k\"\n");
        QTest::newRow("quote and backslash") << "a\"b\\c" << QByteArray("url = \"a\\\"b\\\\c\"\n");
        QTest::newRow("line breaks") << "a\nb\rc\td" << QByteArray("url = \"a\\nb\\rc\\td\"\n");
        QTest::newRow("not ascii") << QStringLiteral("caf\u00e9") << QByteArray("url = \"caf\xc3\xa9\"\n");
    }
    void configQuotesTheAddress() {
        QFETCH(QString, address);
        QFETCH(QByteArray, config);
        QCOMPARE(CurlFunctions::CurlConfig(address), config);
    }

    void serverErrorPageIsReturnedAsItStands() {
        const QString answer = fetch(QStringLiteral("test:500"));
        QVERIFY2(answer.startsWith(QStringLiteral("<!DOCTYPE html>")), qPrintable(answer));
        QVERIFY(answer.contains(QStringLiteral("500 Internal Server Error")));
    }

    void emptyAnswerIsEmptyFile() {
        QCOMPARE(fetch(QStringLiteral("test:empty")), QStringLiteral("empty file"));
        QVERIFY(!QFileInfo::exists(m_tools.outputPath()));
    }

    // What the service did, told apart from the dictionary's answers: each kind, with its host, its HTTP status
    // and how often curl ran for it.
    void failureKinds_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("key"); // empty: the right one
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("text");
        using Kind = FetchFailure::Kind;
        QTest::newRow("answer") << "baby"
                                << "" << int(Kind::None) << 200 << 1 << "";
        QTest::newRow("unknown word") << "zzzq"
                                      << "" << int(Kind::None) << 200 << 1 << "";
        QTest::newRow("utf-16 answer") << "test:utf16:baby"
                                       << "" << int(Kind::None) << 200 << 1 << "";
        QTest::newRow("500") << "test:500"
                             << "" << int(Kind::HttpError) << 500 << 1 << " answered with an error (HTTP 500).";
        QTest::newRow("empty") << "test:empty"
                               << "" << int(Kind::NotDictionary) << 200 << 1
                               << " answered, but not with the dictionary's XML.";
        QTest::newRow("wrong key") << "baby"
                                   << "wrong" << int(Kind::KeyRefused) << 403 << 1
                                   << " refused the service key (HTTP 403).";
    }
    void failureKinds() {
        QFETCH(QString, word);
        QFETCH(QString, key);
        QFETCH(int, kind);
        QFETCH(int, status);
        QFETCH(int, runs);
        QFETCH(QString, text);
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        const CurlFunctions::Fetch fetched = curl.FetchAnswer(word, m_tools, endpoint(key));
        QCOMPARE(int(fetched.failure.kind), kind);
        QCOMPARE(fetched.failure.httpStatus, status);
        QCOMPARE(curl.lastRunCount(), runs);
        const QString host = QStringLiteral("127.0.0.1:%1").arg(m_service.port());
        QCOMPARE(fetched.failure.describe(),
                 text.isEmpty() ? QString() : QStringLiteral("The dictionary service at ") + host + text);
        QVERIFY(!QFileInfo::exists(m_tools.outputPath()));
    }

    // An answer that cannot be written (a full temporary folder) stops the run in plain words, with the folder.
    void answerNotWrittenIsSaidInPlainWords() {
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        CurlFunctions::Fetch fetched;
        {
            const FileSizeLimit full(16); // curl inherits it: the answer file cannot grow past it
            fetched = curl.FetchAnswer(QStringLiteral("baby"), m_tools, endpoint());
        }
        QCOMPARE(fetched.failure.kind, FetchFailure::Kind::NotWritten);
        QCOMPARE(curl.lastRunCount(), 1);
        QCOMPARE(fetched.failure.describe(),
                 QStringLiteral("The answer of the dictionary service at 127.0.0.1:%1 could not be written into the "
                                "temporary folder %2: the disk is full, or the folder cannot be written.")
                     .arg(m_service.port())
                     .arg(ToolFiles::temporaryFolder()));
        QVERIFY(!QFileInfo::exists(m_tools.outputPath()));
    }

    void refusedConnectionIsNoConnection() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        const QString address = QStringLiteral("http://127.0.0.1:%1").arg(port);
        closed.close();
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        const CurlFunctions::Fetch fetched = curl.FetchAnswer(QStringLiteral("baby"), m_tools, {address, {}});
        QCOMPARE(fetched.text, QStringLiteral("Could not connect"));
        QCOMPARE(fetched.failure.kind, FetchFailure::Kind::NoConnection);
        QCOMPARE(curl.lastRunCount(), 6);
        QCOMPARE(fetched.failure.describe(), QStringLiteral("The dictionary service at 127.0.0.1:%1 could not be "
                                                            "reached: the connection was refused or failed.")
                                                 .arg(port));
    }

    // A hanging service: the run that timed out is the last one, and the word takes its time limit once.
    void hangingServiceCostsOneRun() {
        CurlFunctions curl(m_dialogs, m_clock, &m_bar, {}, 700);
        QElapsedTimer clock;
        clock.start();
        const CurlFunctions::Fetch fetched =
            curl.FetchAnswer(QStringLiteral("test:delay:20000:baby"), m_tools, endpoint());
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(fetched.text, QStringLiteral("Could not connect"));
        QCOMPARE(fetched.failure.kind, FetchFailure::Kind::TimedOut);
        QCOMPARE(curl.lastRunCount(), 1);
        QVERIFY2(elapsed >= 650 && elapsed < 3000, qPrintable(QString::number(elapsed)));
        QVERIFY2(fetched.failure.describe().endsWith(QStringLiteral(" did not answer within 0.7 seconds.")),
                 qPrintable(fetched.failure.describe()));
    }

    // A service that drops every connection after a while: the retries stop once the word's time (twice one
    // run's) is used up, well before six runs and six pauses.
    void retriesStopWhenTheWordsTimeIsUsedUp() {
        LocalDictionaryService slowDrop;
        LocalDictionaryService::Options options;
        options.behaviour = LocalDictionaryService::Behaviour::CloseWithoutAnswer;
        options.delayMs = 300;
        QVERIFY(slowDrop.start(options));
        CurlFunctions curl(m_dialogs, m_clock, &m_bar, {}, 1000);
        QElapsedTimer clock;
        clock.start();
        const CurlFunctions::Fetch fetched =
            curl.FetchAnswer(QStringLiteral("baby"), m_tools, {slowDrop.address(), [&] { return slowDrop.key(); }});
        const qint64 elapsed = clock.elapsed();
        // Each run takes 0.3 s and a pause 1 s: the word's 2 s end after the second pause. On a loaded computer
        // the last run may instead run out of the word's remaining time.
        QVERIFY2(fetched.failure.kind == FetchFailure::Kind::Dropped ||
                     fetched.failure.kind == FetchFailure::Kind::TimedOut,
                 qPrintable(fetched.failure.describe()));
        QVERIFY2(curl.lastRunCount() >= 1 && curl.lastRunCount() <= 2,
                 qPrintable(QString::number(curl.lastRunCount())));
        QVERIFY2(elapsed < 4000, qPrintable(QString::number(elapsed)));
    }

    void silentServiceGivesCouldNotConnectAfterSixRuns() {
        LocalDictionaryService silent;
        LocalDictionaryService::Options options;
        options.behaviour = LocalDictionaryService::Behaviour::CloseWithoutAnswer;
        QVERIFY(silent.start(options));
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        QElapsedTimer clock;
        clock.start();
        const QString answer =
            curl.ReadCurl(QStringLiteral("baby"), m_tools, {silent.address(), [&] { return silent.key(); }});
        const qint64 elapsed = clock.elapsed();
        qInfo("six runs and six pauses took %lld ms", elapsed);
        QCOMPARE(answer, QStringLiteral("Could not connect"));
        QCOMPARE(curl.lastRunCount(), 6);
        QCOMPARE(silent.receivedWords().size(), 6);
        const CurlFunctions::Fetch fetched =
            curl.FetchAnswer(QStringLiteral("baby"), m_tools, {silent.address(), [&] { return silent.key(); }});
        QCOMPARE(fetched.failure.kind, FetchFailure::Kind::Dropped);
        QCOMPARE(fetched.failure.curlExit, 52); // empty reply from the server
        QVERIFY2(elapsed >= 6000 && elapsed < 10000, qPrintable(QString::number(elapsed)));
        QVERIFY(!QFileInfo::exists(m_tools.outputPath()));
    }

    void stopEndsTheRetriesAtOnce() {
        // A port nobody listens on; the window closes during the first pause.
        QElapsedTimer clock;
        clock.start();
        CurlFunctions curl(m_dialogs, m_clock, &m_bar, [&] { return clock.elapsed() > 300; });
        const QString answer = curl.ReadCurl(QStringLiteral("baby"), m_tools,
                                             {QStringLiteral("http://127.0.0.1:9"), [] { return QString(); }});
        QCOMPARE(answer, QStringLiteral("Could not connect"));
        QCOMPARE(curl.lastRunCount(), 1);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        // The window closed: that is no failure of the service to report.
        const CurlFunctions::Fetch fetched =
            curl.FetchAnswer(QStringLiteral("baby"), m_tools, {QStringLiteral("http://127.0.0.1:9"), {}});
        QCOMPARE(fetched.failure.kind, FetchFailure::Kind::None);
    }

    void twoInstancesNeverReadEachOthersAnswer() {
        // Two program instances at once, sharing one temporary folder, each fetching its own word in a loop.
        const auto startInstance = [&](QProcess& process, const QString& word) {
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--fetch-loop"), m_service.address(), m_service.key(), word,
                           QString::number(kLoopFetches)});
        };
        QProcess first;
        QProcess second;
        startInstance(first, QStringLiteral("baby"));
        startInstance(second, QStringLiteral("diamond"));
        for (QProcess* process : {&first, &second}) {
            QTRY_VERIFY_WITH_TIMEOUT(process->state() == QProcess::NotRunning, 30000);
            const QString output = QString::fromUtf8(process->readAll());
            QVERIFY2(process->exitCode() == 0, qPrintable(output));
            QCOMPARE(output.count(QStringLiteral("right 1\n")), kLoopFetches);
        }
        QCOMPARE(m_service.receivedWords().size(), 2 * kLoopFetches);
    }

    void keyGoesOnlyOverHttpsToOtherHosts() {
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        const QString answer =
            curl.ReadCurl(QStringLiteral("baby"), m_tools,
                          {QStringLiteral("http://dictionary.example"), [] { return QStringLiteral("secret"); }});
        QCOMPARE(answer, QStringLiteral("Could not connect"));
        QCOMPARE(curl.lastRunCount(), 0);
        QCOMPARE(m_dialogs.errorReports().size(), 1);
        QVERIFY(m_dialogs.boxes.front().text.contains(QStringLiteral("CurlFunctions.ReadCurl at line 108")));
        const CurlFunctions::Fetch fetched =
            curl.FetchAnswer(QStringLiteral("baby"), m_tools,
                             {QStringLiteral("http://dictionary.example"), [] { return QStringLiteral("secret"); }});
        QCOMPARE(fetched.failure.kind, FetchFailure::Kind::NotSent);
        QCOMPARE(fetched.failure.describe(),
                 QStringLiteral("No request could be sent to the dictionary service at dictionary.example."));
        m_dialogs.boxes.clear();
    }

    void withoutToolsNothingRuns() {
        ToolFiles none;
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(curl.ReadCurl(QStringLiteral("baby"), none, endpoint()), QStringLiteral("Could not connect"));
        QCOMPARE(curl.lastRunCount(), 0);
        QVERIFY(clock.elapsed() < 500);
    }

    void requestAddress_data() {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("address"); // empty: refused
        QTest::newRow("loopback") << "http://127.0.0.1:8123"
                                  << " ba by "
                                  << " k-1 "
                                  << "http://127.0.0.1:8123/api/v1/references/collegiate/xml/ba%20by?key=k-1";
        QTest::newRow("trailing slash") << "https://dictionary.example/"
                                        << "a&b"
                                        << "x"
                                        << "https://dictionary.example/api/v1/references/collegiate/xml/a%26b?key=x";
        QTest::newRow("localhost http") << "http://localhost:1"
                                        << "a.b"
                                        << "k"
                                        << "http://localhost:1/api/v1/references/collegiate/xml/a%2Eb?key=k";
        QTest::newRow("plain http elsewhere") << "http://dictionary.example"
                                              << "baby"
                                              << "k"
                                              << "";
        QTest::newRow("no scheme") << "dictionary.example"
                                   << "baby"
                                   << "k"
                                   << "";
        QTest::newRow("other scheme") << "file:///etc"
                                      << "baby"
                                      << "k"
                                      << "";
        QTest::newRow("empty") << ""
                               << "baby"
                               << "k"
                               << "";
    }
    void requestAddress() {
        QFETCH(QString, service);
        QFETCH(QString, word);
        QFETCH(QString, key);
        QFETCH(QString, address);
        try {
            QCOMPARE(CurlFunctions::RequestAddress(service, word, key), address);
        } catch (const AppError& error) {
            QVERIFY2(address.isEmpty(), qPrintable(error.description()));
        }
    }

    void readWholeFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        const QString utf16Text = QStringLiteral("\uFEFF<?xml version=\"1.0\" encoding=\"utf-16\" ?>\n<entry_list "
                                                 "version=\"1.0\">\n  <entry id=\"baby\"><ew>baby</ew><hw>ba*by</hw>"
                                                 "<fl>noun</fl></entry>\n</entry_list>\n");
        QTest::newRow("missing") << fixture(QStringLiteral("none.xml")) << "";
        QTest::newRow("empty") << fixture(QStringLiteral("empty.xml")) << "empty file";
        QTest::newRow("utf-16 with mark") << fixture(QStringLiteral("utf16le-bom.xml")) << utf16Text;
        QTest::newRow("utf-16 odd length") << fixture(QStringLiteral("utf16le-truncated.xml")) << utf16Text.chopped(1);
        QTest::newRow("first byte FE") << fixture(QStringLiteral("fe-first.bin")) << QStringLiteral("\u00feA");
        QTest::newRow("utf-8") << fixture(QStringLiteral("utf8.xml"))
                               << QStringLiteral("<entry_list><entry id=\"na\u00efve\"><hw>na*\u00efve</hw></entry>"
                                                 "</entry_list>\n");
        QTest::newRow("windows-1252") << fixture(QStringLiteral("windows-1252.xml"))
                                      << QStringLiteral("<entry_list><entry id=\"caf\u00e9\"><hw>caf\u00e9 \u20ac</hw>"
                                                        "</entry></entry_list>\n");
    }
    void readWholeFile() {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QCOMPARE(CurlFunctions::ReadWholeFile(path), text);
    }

    void readWholeFileLargeAndFolder() {
        const QString path = qEnvironmentVariable("TEMP") + QStringLiteral("/large.xml");
        QByteArray bytes(20 * 1024 * 1024, 'a');
        bytes[1000] = '\xE9'; // not UTF-8: every byte one character
        WriteBytesToFile(bytes, path);
        const QString text = CurlFunctions::ReadWholeFile(path);
        QCOMPARE(text.size(), bytes.size());
        QCOMPARE(text[1000], QChar(0xE9));
        QFile::remove(path);
        QVERIFY_THROWS_EXCEPTION(AppError, CurlFunctions::ReadWholeFile(qEnvironmentVariable("TEMP")));
    }

    void waitSecondsWaitsIdlyAndServesTheLoop() {
        CurlFunctions curl(m_dialogs, m_clock, &m_bar);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
        ticker.start(50);
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = processorSeconds();
        curl.WaitSeconds(1);
        const double cpu = processorSeconds() - cpuBefore;
        QVERIFY2(clock.elapsed() >= 990 && clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QVERIFY2(cpu < 0.25, qPrintable(QString::number(cpu)));
    }

    void waitSecondsAcrossMidnight() {
        FakeClock nearMidnight;
        nearMidnight.seconds = 86399.7; // stands still: the wait must still end after one second
        CurlFunctions curl(m_dialogs, nearMidnight, &m_bar);
        QElapsedTimer clock;
        clock.start();
        curl.WaitSeconds(1);
        QVERIFY2(clock.elapsed() >= 990 && clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--fetch-loop")
        return fetchLoop(argc, argv);
    TestEnvironment environment;
    QApplication app(argc, argv);
    TestCurlFunctions test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "TestCurlFunctions.moc"
