// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConnectivityCheck.h"
#include "ui/WindowContext.h"

#include "FakePlatform.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QFile>

namespace {

class StillPointer : public PointerHost {
public:
    MousePointer pointer() const override { return m_pointer; }
    void setPointer(MousePointer pointer) override { m_pointer = pointer; }

private:
    MousePointer m_pointer = MousePointer::Default;
};

// A stand-in for the ping tool that prints the given text and ends.
QString fakePing(const QString& name, const QByteArray& output) {
    const QString path = qEnvironmentVariable("TEMP") + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write("#!/bin/sh\nprintf '%s' '" + output + "'\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class TestConnectivityCheck : public QObject {
    Q_OBJECT

    ListControl m_words;
    ListControl m_results;
    QCheckBox m_showWord;
    QCheckBox m_notFound;
    ProgressBar m_bar;
    StillPointer m_pointer;
    FakePlatformTools m_tools;
    WindowContext m_window{m_words, m_results, m_showWord, m_notFound, m_bar, m_pointer, m_tools};

private slots:
    void init() {
        m_tools.fakeDialogs.boxes.clear();
        m_window.setApplicationTitle(QStringLiteral("Parvenna Syllable Splitter"));
    }

    void showsReply_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("reply");
        QTest::newRow("linux reply") << "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.05 ms" << true;
        QTest::newRow("windows reply") << "Reply from 1.2.3.4: bytes=32 time=9ms TTL=57" << true;
        QTest::newRow("capital B") << "Reply from 1.2.3.4: Bytes=32" << true;
        QTest::newRow("shouting") << "64 BYTES FROM host" << true;
        QTest::newRow("marker at start") << "bytes=" << true;
        QTest::newRow("time-outs") << "Request timed out.\nRequest timed out." << false;
        QTest::newRow("linux loss") << "1 packets transmitted, 0 received, 100% packet loss" << false;
        QTest::newRow("unknown host") << "ping: nowhere.invalid: Name or service not known" << false;
        QTest::newRow("bytes of data only") << "PING host 56(84) bytes of data." << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("cannot start") << "Failed to create process, check the path of the command line." << false;
    }
    void showsReply() {
        QFETCH(QString, output);
        QFETCH(bool, reply);
        QCOMPARE(ConnectivityCheck::ShowsReply(output), reply);
    }

    void loopbackReplyShowsNothing() {
        ConnectivityCheck::CheckOnline(m_window,
                                       QStringLiteral("http://127.0.0.1:1")); // the real ping tool against 127.0.0.1
        QVERIFY2(m_tools.fakeDialogs.boxes.isEmpty(), qPrintable(m_tools.fakeDialogs.texts().join(QLatin1Char('\n'))));
    }

    void noReplyWarnsOnce_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("time-outs only") << fakePing(QStringLiteral("timeouts"),
                                                    "Request timed out.\\nRequest timed out.\\n");
        QTest::newRow("empty output") << fakePing(QStringLiteral("silent"), "");
    }
    void noReplyWarnsOnce() {
        QFETCH(QString, program);
        ConnectivityCheck::CheckOnline(m_window, QStringLiteral("http://127.0.0.1:1"), program);
        QCOMPARE(m_tools.fakeDialogs.boxes.size(), 1);
        const FakeDialogs::Box box = m_tools.fakeDialogs.boxes.front();
        QCOMPARE(box.text, QStringLiteral("You must be online to use this software accurately."));
        QCOMPARE(box.title, QStringLiteral("Parvenna Syllable Splitter"));
        QCOMPARE(box.icon, MessageIcon::None);
    }

    // The package only recommends ping: without it the one message says what is missing, not "offline".
    void noPingToolSaysSo() {
        ConnectivityCheck::CheckOnline(m_window, QStringLiteral("http://127.0.0.1:1"),
                                       QStringLiteral("/nonexistent-parvenna/ping"));
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{ConnectivityCheck::kPingMissing});
        QVERIFY(ConnectivityCheck::kPingMissing.contains(QStringLiteral("iputils-ping")));
    }

    void replyWithCapitalMarkShowsNothing() {
        ConnectivityCheck::CheckOnline(m_window, QStringLiteral("http://127.0.0.1:1"),
                                       fakePing(QStringLiteral("windows"), "Reply from 10.0.0.1: Bytes=32 time=3ms"));
        QVERIFY(m_tools.fakeDialogs.boxes.isEmpty());
    }
};

PARVENNA_TEST_MAIN(TestConnectivityCheck)
#include "TestConnectivityCheck.moc"
