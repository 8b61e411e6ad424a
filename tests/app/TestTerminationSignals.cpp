// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminationSignals.h"

#include "TestEnvironment.h"

#include <QCloseEvent>
#include <QSignalSpy>
#include <QWidget>

namespace {

sighandler_t disposition(int number) {
    struct sigaction current {};
    ::sigaction(number, nullptr, &current);
    return current.sa_handler;
}

class CountingWindow : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        event->accept();
    }
};

} // namespace

class TestTerminationSignals : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Whatever this test was started with: the signals' default action (ending this test) unless handled.
        for (const int number : TerminationSignals::kSignals)
            ::signal(number, SIG_DFL);
    }

    void eachSignalIsDeliveredInTheLoop_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void eachSignalIsDeliveredInTheLoop() {
        QFETCH(int, number);
        {
            TerminationSignals termination;
            QVERIFY(termination.active());
            QSignalSpy spy(&termination, &TerminationSignals::received);
            ::raise(number);
            ::raise(number);
            QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 2, 5000);
            QCOMPARE(spy[0][0].toInt(), number);
            QCOMPARE(spy[1][0].toInt(), number);
        }
        QVERIFY(disposition(number) == SIG_DFL); // the earlier handling is back
    }

    void signalIgnoredAtStartStaysIgnored() {
        ::signal(SIGHUP, SIG_IGN); // as under nohup
        {
            TerminationSignals termination;
            QSignalSpy spy(&termination, &TerminationSignals::received);
            ::raise(SIGHUP);
            ::raise(SIGTERM);
            QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 1, 5000);
            QCOMPARE(spy[0][0].toInt(), int(SIGTERM));
        }
        QVERIFY(disposition(SIGHUP) == SIG_IGN);
        ::signal(SIGHUP, SIG_DFL);
    }

    void oneInstanceAtATime() {
        TerminationSignals first;
        QSignalSpy spy(&first, &TerminationSignals::received);
        {
            TerminationSignals second;
            QVERIFY(!second.active());
        }
        QVERIFY(first.active());
        ::raise(SIGTERM); // the second one's end took nothing away from the first
        QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 1, 5000);
    }

    // Last: it ends the message loops for good, as it does in the program.
    void signalClosesTheWindowAndEndsEveryLoop() {
        CountingWindow window;
        window.show();
        TerminationSignals termination(&window);
        QEventLoop loop;
        QTimer::singleShot(5000, &loop, [&] { loop.exit(7); }); // bound: 7 means the signal did not end it
        QTimer::singleShot(50, [] { ::raise(SIGTERM); });
        QCOMPARE(loop.exec(), 0);
        QCOMPARE(window.closes, 1);
        QVERIFY(!window.isVisible());
    }
};

PARVENNA_TEST_MAIN(TestTerminationSignals)
#include "TestTerminationSignals.moc"
