// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/ProcessIdentity.h"

#include "TestEnvironment.h"

#include <QProcess>

class TestProcessIdentity : public QObject {
    Q_OBJECT
private slots:
    void childIsRunningUntilItEnds() {
        QProcess child;
        child.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(child.waitForStarted(10000));
        const ProcessIdentity identity = ProcessIdentity::ofPid(child.processId());
        QVERIFY(!identity.startTime.isEmpty());
        QVERIFY(!identity.pidNamespace.isEmpty());
        QCOMPARE(identity.state(), ProcessIdentity::State::Running);
        // Another process started later has another start time, or at least another id.
        const ProcessIdentity self = ProcessIdentity::current();
        QVERIFY(self.pid != identity.pid);
        QCOMPARE(self.state(), ProcessIdentity::State::Running);

        child.kill();
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(identity.state(), ProcessIdentity::State::Ended);
        QVERIFY(ProcessIdentity::ofPid(identity.pid).startTime.isEmpty());
    }

    void sameIdLaterIsAnotherProcess() {
        ProcessIdentity self = ProcessIdentity::current();
        self.startTime = QByteArray::number(self.startTime.toLongLong() + 1);
        QCOMPARE(self.state(), ProcessIdentity::State::Ended);
    }

    void otherNamespaceCannotBeJudged() {
        ProcessIdentity self = ProcessIdentity::current();
        self.pidNamespace = "pid:[1]";
        QCOMPARE(self.state(), ProcessIdentity::State::Unknown);
    }

    void recordRoundTrip() {
        const ProcessIdentity self = ProcessIdentity::current();
        const std::optional<ProcessIdentity> read = ProcessIdentity::parse(self.record());
        QVERIFY(read.has_value());
        QCOMPARE(read->pid, self.pid);
        QCOMPARE(read->startTime, self.startTime);
        QCOMPARE(read->pidNamespace, self.pidNamespace);
        QCOMPARE(read->state(), ProcessIdentity::State::Running);
    }

    void malformedRecords_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("two fields") << QByteArray("12 34\n");
        QTest::newRow("four fields") << QByteArray("12 34 pid:[5] x\n");
        QTest::newRow("id not a number") << QByteArray("x12 34 pid:[5]\n");
        QTest::newRow("negative id") << QByteArray("-12 34 pid:[5]\n");
        QTest::newRow("id zero") << QByteArray("0 34 pid:[5]\n");
        QTest::newRow("id too large") << QByteArray("99999999999999999999 34 pid:[5]\n");
        QTest::newRow("start not a number") << QByteArray("12 3x4 pid:[5]\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\x01", 3);
    }
    void malformedRecords() {
        QFETCH(QByteArray, record);
        QVERIFY(!ProcessIdentity::parse(record).has_value());
    }
};

PARVENNA_TEST_MAIN(TestProcessIdentity)
#include "TestProcessIdentity.moc"
