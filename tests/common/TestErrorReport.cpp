// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "common/ErrorReport.h"
#include "common/StepTrap.h"

#include "FakePlatform.h"
#include "TestEnvironment.h"

class TestErrorReport : public QObject {
    Q_OBJECT
private slots:
    void exactText() {
        const QString text = ErrorReport::text(QStringLiteral("Form1.Form_Load"), 158, QStringLiteral("Type mismatch"));
        QCOMPARE(text, QStringLiteral("Type mismatch\r\nin Kestrane2021/08/31.Form1.Form_Load at line 158\r\r"
                                      "Please email screenshot of this message to support@orvanta.example"));
    }

    void boxLooksLikeAWarning() {
        FakeDialogs dialogs;
        ErrorReport::show(dialogs, QStringLiteral("Form1.PushButton3_Click"), 124, QStringLiteral("Permission denied"));
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes[0].title, QStringLiteral("Application Error"));
        QCOMPARE(dialogs.boxes[0].icon, MessageIcon::Warning);
    }

    void failureBeforeFirstStepReportsZero() {
        FakeDialogs dialogs;
        StepTrap trap{dialogs, QStringLiteral("Main.Test")};
        trap.report(QStringLiteral("Overflow"));
        QVERIFY(dialogs.boxes[0].text.contains(QStringLiteral("Main.Test at line 0\r\r")));
    }

    void twoFailuresTwoReportsInOrderAndTheProcedureGoesOn() {
        FakeDialogs dialogs;
        StepTrap trap{dialogs, QStringLiteral("Form1.Form_Load")};
        QStringList ran;
        trap.step(100, [&] { ran << "100"; });
        const bool ok = trap.step(102, [&] { throw AppError::overflow(); });
        trap.step(104, [&] { ran << "104"; });
        trap.step(106, [&] { throw std::runtime_error("standard failure"); });
        trap.step(108, [&] { ran << "108"; });
        QVERIFY(!ok);
        QCOMPARE(ran, (QStringList{"100", "104", "108"}));
        const QStringList reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 2);
        QVERIFY(reports[0].startsWith(QStringLiteral("Overflow\r\n")));
        QVERIFY(reports[0].contains(QStringLiteral(" at line 102\r\r")));
        QVERIFY(reports[1].startsWith(QStringLiteral("standard failure\r\n")));
        QVERIFY(reports[1].contains(QStringLiteral(" at line 106\r\r")));
    }

    void failedTestCountsAsPassed() {
        FakeDialogs dialogs;
        StepTrap trap{dialogs, QStringLiteral("Main.Test")};
        QVERIFY(trap.test(146, [&]() -> bool { throw AppError::typeMismatch(); }));
        QVERIFY(!trap.test(148, [] { return false; }));
        QCOMPARE(dialogs.errorReports().size(), 1);
    }

    void descriptions_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("5") << AppError::invalidProcedureCall().number() << "Invalid procedure call or argument";
        QTest::newRow("6") << AppError::overflow().number() << "Overflow";
        QTest::newRow("9") << AppError::subscriptOutOfRange().number() << "Subscript out of range";
        QTest::newRow("13") << AppError::typeMismatch().number() << "Type mismatch";
        QTest::newRow("53") << AppError::fileNotFound().number() << "File not found";
        QTest::newRow("70") << AppError::permissionDenied().number() << "Permission denied";
    }
    void descriptions() {
        QFETCH(int, number);
        QFETCH(QString, description);
        FakeDialogs dialogs;
        StepTrap trap{dialogs, QStringLiteral("Main.Test")};
        trap.step(100, [&] { throw AppError(number, description); });
        QVERIFY(dialogs.errorReports().first().startsWith(description + QStringLiteral("\r\n")));
    }
};

PARVENNA_TEST_MAIN(TestErrorReport)
#include "TestErrorReport.moc"
