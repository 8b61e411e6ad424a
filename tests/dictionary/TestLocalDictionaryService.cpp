// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DataFiles.h"
#include "dictionary/LocalDictionaryService.h"

#include "TestEnvironment.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

struct Answer {
    int status = 0;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray contentType;
    QByteArray body;
};

// One request with a bounded wait, served by this thread's message loop.
Answer request(const QString& url, const QByteArray& method = "GET") {
    QNetworkAccessManager manager;
    QNetworkRequest networkRequest{QUrl(url)};
    networkRequest.setTransferTimeout(5000);
    QNetworkReply* reply = manager.sendCustomRequest(networkRequest, method);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->error(),
                  reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(), reply->readAll()};
    delete reply;
    return answer;
}

// One GET over a plain socket, with a bounded wait: everything the service sent before it closed the connection.
// Unlike QNetworkAccessManager, which asks again by itself when a connection closes without an answer, it shows
// a dropped connection as it is.
QByteArray rawRequest(const LocalDictionaryService& service, const QString& word) {
    QTcpSocket socket;
    QByteArray received;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        socket.write("GET /api/v1/references/collegiate/xml/" + QUrl::toPercentEncoding(word) +
                     "?key=" + service.key().toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] { received += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    socket.connectToHost(QHostAddress::LocalHost, service.port());
    loop.exec();
    return received + socket.readAll();
}

QString wordUrl(const LocalDictionaryService& service, const QString& encodedWord, const QString& key = {}) {
    return service.address() + QStringLiteral("/api/v1/references/collegiate/xml/") + encodedWord +
           QStringLiteral("?key=") + (key.isEmpty() ? service.key() : key);
}

} // namespace

class TestLocalDictionaryService : public QObject {
    Q_OBJECT

    LocalDictionaryService m_service;

private slots:
    void initTestCase() {
        LocalDictionaryService::Options options;
        options.testWords = true;
        QVERIFY2(m_service.start(options), qPrintable(m_service.errorString()));
    }

    // The hand-made supplement: every line a word whose homographs spell it, with single marks between letters.
    void shippedSupplementIsSound() {
        LocalDictionaryService supplement;
        LocalDictionaryService::Options options;
        options.dataFiles = {DataFiles::path(QStringLiteral("words.txt"))};
        QVERIFY2(supplement.start(options), qPrintable(supplement.errorString()));
        QVERIFY2(supplement.wordCount() >= 300, qPrintable(QString::number(supplement.wordCount())));
        QVERIFY(m_service.wordCount() > 100000); // the whole built-in dictionary
        QFile file(options.dataFiles.front());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int checked = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QString word = line.section(QLatin1Char('|'), 0, 0);
            const auto homographs = supplement.homographs(word);
            QVERIFY2(!homographs.isEmpty(), qPrintable(line));
            for (const auto& homograph : homographs) {
                // The headword spells the word; boundaries are single marks between letters.
                QString letters = homograph.headword;
                letters.remove(QLatin1Char('*'));
                QVERIFY2(letters.compare(word, Qt::CaseInsensitive) == 0, qPrintable(line));
                QVERIFY2(!homograph.headword.contains(QStringLiteral("**")) &&
                             !homograph.headword.startsWith(QLatin1Char('*')) &&
                             !homograph.headword.endsWith(QLatin1Char('*')) &&
                             !homograph.headword.contains(QStringLiteral("* ")) &&
                             !homograph.headword.contains(QStringLiteral(" *")),
                         qPrintable(line));
            }
            ++checked;
        }
        QCOMPARE(checked, supplement.wordCount());
    }

    void sampleAndSingleLetterWords_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("headword");
        QTest::newRow("baby") << "baby"
                              << "ba*by";
        QTest::newRow("diamond, the user's capital") << "Diamond"
                                                     << "Di*a*mond";
        QTest::newRow("New Hampshire") << "New Hampshire"
                                       << "New Hamp*shire";
        QTest::newRow("new hampshire as written") << "new hampshire"
                                                  << "new hamp*shire";
        QTest::newRow("demonstration in capitals") << "DEMONSTRATION"
                                                   << "DEM*ON*STRA*TION";
        QTest::newRow("about") << "about"
                               << "a*bout";
        QTest::newRow("idea") << "idea"
                              << "i*de*a";
        QTest::newRow("city") << "city"
                              << "cit*y";
        QTest::newRow("one syllable") << "cat"
                                      << "cat";
    }
    void sampleAndSingleLetterWords() {
        QFETCH(QString, word);
        QFETCH(QString, headword);
        const auto homographs = m_service.homographs(word);
        QVERIFY(!homographs.isEmpty());
        QCOMPARE(homographs.front().headword, headword);
    }

    void entriesPerHomograph() {
        const QString baby = QString::fromUtf8(m_service.answerFor(QStringLiteral("Baby")));
        QVERIFY(baby.startsWith(QStringLiteral("<?xml")));
        QVERIFY(baby.contains(QStringLiteral("<entry id=\"Baby\"><ew>Baby</ew><hw hindex=\"1\">Ba*by</hw>")));
        QVERIFY(baby.contains(QStringLiteral("<entry id=\"Baby[2]\"><ew>Baby</ew><hw hindex=\"2\">Ba*by</hw>")));
        QVERIFY(baby.contains(QStringLiteral("<entry id=\"Baby[3]\">")));
        QVERIFY(!baby.contains(QStringLiteral("Baby[4]")));
        const QString minute = QString::fromUtf8(m_service.answerFor(QStringLiteral("minute")));
        QVERIFY(minute.indexOf(QStringLiteral(">min*ute</hw>")) < minute.indexOf(QStringLiteral(">mi*nute</hw>")));
        const QString single = QString::fromUtf8(m_service.answerFor(QStringLiteral("demonstration")));
        // The pronunciation, where the real service gives it, carries the headword's stress.
        QVERIFY(single.contains(QStringLiteral("<entry id=\"demonstration\"><ew>demonstration</ew><hw>dem*on*stra*tion"
                                               "</hw><pr>\u02CCdem-on-\u02C8stra-tion</pr><fl>noun</fl></entry>")));
        QCOMPARE(single.count(QStringLiteral("<entry ")), 1);
    }

    void unknownWordGetsSuggestions() {
        const QString answer = QString::fromUtf8(m_service.answerFor(QStringLiteral("diamnod")));
        QVERIFY(answer.contains(QStringLiteral("<entry_list")));
        QVERIFY(!answer.contains(QStringLiteral("<entry ")));
        QVERIFY(answer.contains(QStringLiteral("<suggestion>diamond</suggestion>")));
        QVERIFY(answer.count(QStringLiteral("<suggestion>")) <= 8);
        // Nothing in common: an empty list.
        QCOMPARE(QString::fromUtf8(m_service.answerFor(QStringLiteral("#"))).count(QStringLiteral("<suggestion>")), 0);
    }

    void answersOverHttp() {
        const Answer answer = request(wordUrl(m_service, QStringLiteral("New%20Hampshire")));
        QCOMPARE(answer.status, 200);
        QVERIFY(answer.contentType.startsWith("text/xml"));
        QCOMPARE(answer.body, m_service.answerFor(QStringLiteral("New Hampshire")));
        QCOMPARE(m_service.receivedWords().last(), QStringLiteral("New Hampshire"));
    }

    void refusalsOverHttp() {
        const Answer wrongKey = request(wordUrl(m_service, QStringLiteral("baby"), QStringLiteral("wrong")));
        QCOMPARE(wrongKey.status, 403);
        QCOMPARE(wrongKey.body, QByteArray("Invalid API key. Not subscribed for this reference.\n"));
        QVERIFY(wrongKey.contentType.startsWith("text/plain"));
        QCOMPARE(request(wordUrl(m_service, QStringLiteral("baby"), QStringLiteral("-"))).status, 403);
        QCOMPARE(request(m_service.address() + QStringLiteral("/api/v1/references/learners/xml/baby")).status, 404);
        QCOMPARE(request(wordUrl(m_service, QStringLiteral("baby")), "POST").status, 405);
    }

    void misbehaviourByWord() {
        const Answer error = request(wordUrl(m_service, QStringLiteral("test:500")));
        QCOMPARE(error.status, 500);
        QVERIFY(error.body.contains("<h1>Internal Server Error</h1>"));
        const Answer empty = request(wordUrl(m_service, QStringLiteral("test:empty")));
        QCOMPARE(empty.status, 200);
        QVERIFY(empty.body.isEmpty());
        const Answer closed = request(wordUrl(m_service, QStringLiteral("test:close")));
        QCOMPARE(closed.status, 0);
        QVERIFY(closed.error != QNetworkReply::NoError);
        const Answer utf16 = request(wordUrl(m_service, QStringLiteral("test:utf16:cat")));
        QVERIFY(utf16.body.startsWith("\xFF\xFE<\0?\0x\0"));
        QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.body.constData() + 2),
                                    (utf16.body.size() - 2) / 2),
                 QString::fromUtf8(m_service.answerFor(QStringLiteral("cat"))));
        QElapsedTimer clock;
        clock.start();
        const Answer delayed = request(wordUrl(m_service, QStringLiteral("test:delay:400:baby")));
        QVERIFY(clock.elapsed() >= 400);
        QCOMPARE(delayed.body, m_service.answerFor(QStringLiteral("baby")));
    }

    void testWordsAreOrdinaryWordsWithoutTheOption() {
        LocalDictionaryService plain;
        QVERIFY(plain.start({}));
        const Answer answer = request(wordUrl(plain, QStringLiteral("test:500")));
        QCOMPARE(answer.status, 200);
        QVERIFY(answer.body.contains("<entry_list"));
        QVERIFY(!answer.body.contains("<entry "));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(request(wordUrl(plain, QStringLiteral("test:delay:3000:baby"))).status, 200);
        QVERIFY(clock.elapsed() < 3000);
    }

    void derivedFormsAreServedEstimatesAreNot() {
        const QString derived = QString::fromUtf8(m_service.answerFor(QStringLiteral("courtrooms")));
        QVERIFY2(derived.contains(QStringLiteral("<entry id=\"courtrooms\"><ew>courtrooms</ew><hw>court*rooms</hw>"
                                                 "<pr>\u02C8court-\u02CCrooms</pr></entry>")),
                 qPrintable(derived));
        QVERIFY(!m_service.answerFor(QStringLiteral("flibberwock")).contains("<entry "));
    }

    void misbehaviourByOptions() {
        LocalDictionaryService failing;
        LocalDictionaryService::Options options;
        options.behaviour = LocalDictionaryService::Behaviour::ServerError;
        options.delayMs = 300;
        options.key = QStringLiteral("fixed-key");
        QVERIFY(failing.start(options));
        QCOMPARE(failing.key(), QStringLiteral("fixed-key"));
        QVERIFY(failing.port() != m_service.port());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(request(wordUrl(failing, QStringLiteral("baby"))).status, 500);
        QVERIFY(clock.elapsed() >= 300);
    }

    // Every third request waits the next of 250 and 600 ms in turn; every fourth connection is dropped, and the
    // same word asked again right after is answered, wherever the count stands then.
    void periodicDelaysAndDrops_data() {
        QTest::addColumn<int>("dropEvery");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QList<bool>>("dropped");
        QTest::addColumn<QList<int>>("minimumMs");
        QTest::newRow("every fourth dropped once")
            << 4 << QStringList{"baby", "cat", "idea", "about", "about", "city", "diamond", "cat", "cat"}
            << QList<bool>{false, false, false, true, false, false, false, true, false}
            << QList<int>{0, 0, 250, 0, 0, 600, 0, 0, 250};
        QTest::newRow("every connection: each word answered on its retry")
            << 1 << QStringList{"baby", "baby", "cat", "idea", "idea"} << QList<bool>{true, false, true, true, false}
            << QList<int>{0, 0, 250, 0, 0};
    }
    void periodicDelaysAndDrops() {
        QFETCH(int, dropEvery);
        QFETCH(QStringList, words);
        QFETCH(QList<bool>, dropped);
        QFETCH(QList<int>, minimumMs);
        LocalDictionaryService service;
        LocalDictionaryService::Options options;
        options.delayEvery = 3;
        options.delaysMs = {250, 600};
        options.dropEvery = dropEvery;
        QVERIFY(service.start(options));
        int drops = 0;
        for (qsizetype i = 0; i < words.size(); ++i) {
            QElapsedTimer clock;
            clock.start();
            const QByteArray answer = rawRequest(service, words[i]);
            const QByteArray label = QByteArray::number(i + 1) + " " + words[i].toUtf8();
            QVERIFY2(clock.elapsed() >= minimumMs[i], label.constData());
            if (dropped[i]) {
                ++drops;
                QVERIFY2(answer.isEmpty(), label.constData());
            } else {
                QVERIFY2(answer.startsWith("HTTP/1.1 200 OK\r\n"), label.constData());
                QVERIFY2(answer.endsWith("\r\n\r\n" + service.answerFor(words[i])), label.constData());
            }
        }
        QCOMPARE(service.droppedConnections(), drops);
        QCOMPARE(service.receivedWords(), words);
    }

    void keysAndPorts() {
        static const QRegularExpression uuid(
            QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
        QVERIFY(uuid.match(m_service.key()).hasMatch());
        QCOMPARE(m_service.address(), QStringLiteral("http://127.0.0.1:%1").arg(m_service.port()));
        LocalDictionaryService taken;
        LocalDictionaryService::Options options;
        options.port = m_service.port();
        QVERIFY(!taken.start(options));
        QVERIFY(taken.errorString().contains(QString::number(m_service.port())));
    }

    void dataFileErrors_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("no headword") << QByteArray("# comment\nbaby|ba*by\nbroken line\n") << "Line 3";
        QTest::newRow("empty headword") << QByteArray("baby||ba*by\n") << "Line 1";
        QTest::newRow("only comments") << QByteArray("# nothing\n\n") << "holds no words";
    }
    void dataFileErrors() {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        LocalDictionaryService service;
        LocalDictionaryService::Options options;
        options.dataFiles = {TestEnvironment::writeTempFile(QStringLiteral("words.txt"), content)};
        QVERIFY(!service.start(options));
        QVERIFY2(service.errorString().contains(error), qPrintable(service.errorString()));
        options.dataFiles = {qEnvironmentVariable("TEMP") + QStringLiteral("/missing.txt")};
        QVERIFY(!service.start(options));
    }

    void ownDataIsEscaped() {
        LocalDictionaryService service;
        LocalDictionaryService::Options options;
        options.dataFiles = {TestEnvironment::writeTempFile(QStringLiteral("own.txt"), "R&B|R&B:noun\n<tag>|<tag>\n")};
        QVERIFY(service.start(options));
        QCOMPARE(service.wordCount(), 2);
        QVERIFY(service.answerFor(QStringLiteral("R&B"))
                    .contains("<entry id=\"R&amp;B\"><ew>R&amp;B</ew><hw>R&amp;B</hw>"));
        QVERIFY(service.answerFor(QStringLiteral("<tag>")).contains("<hw>&lt;tag&gt;</hw>"));
    }

    void standaloneExecutableServes() {
        QProcess process;
        process.start(QStringLiteral(PARVENNA_BINARY_DIR "/parvenna-dictionary"),
                      {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--key"), QStringLiteral("k")});
        QVERIFY(process.waitForStarted(5000));
        QVERIFY(process.waitForReadyRead(5000));
        const QString line = QString::fromUtf8(process.readLine()).trimmed();
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("^(http://127\\.0\\.0\\.1:\\d+) key=k words=(\\d+)$")).match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QCOMPARE(match.captured(2).toInt(), m_service.wordCount());
        const Answer answer =
            request(match.captured(1) + QStringLiteral("/api/v1/references/collegiate/xml/baby?key=k"));
        QCOMPARE(answer.body, m_service.answerFor(QStringLiteral("baby")));
        process.kill();
        QVERIFY(process.waitForFinished(5000));

        QProcess wrong;
        wrong.start(QStringLiteral(PARVENNA_BINARY_DIR "/parvenna-dictionary"),
                    {QStringLiteral("--port"), QStringLiteral("http")});
        QVERIFY(wrong.waitForFinished(5000));
        QCOMPARE(wrong.exitCode(), 2);
    }
};

PARVENNA_TEST_MAIN(TestLocalDictionaryService)
#include "TestLocalDictionaryService.moc"
