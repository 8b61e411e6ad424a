// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Settings.h"
#include "common/StepTrap.h"
#include "lookup/DailyQuota.h"
#include "lookup/ResultOptions.h"

#include "FakePlatform.h"
#include "TestEnvironment.h"

class TestDailyQuota : public QObject {
    Q_OBJECT
private slots:
    void init() { TestEnvironment::clearSettings(); }

    void resetRule_data() {
        QTest::addColumn<int>("storedDay");
        QTest::addColumn<bool>("newDay");
        QTest::newRow("yesterday") << 44999 << true;
        QTest::newRow("today") << 45000 << false;
        QTest::newRow("clock set back") << 45001 << false;
        QTest::newRow("never stored") << 0 << true;
    }
    void resetRule() {
        QFETCH(int, storedDay);
        QFETCH(bool, newDay);
        QCOMPARE(DailyQuota::isNewDay(QuotaState{storedDay, 7}, 45000), newDay);
    }

    void limit() {
        QVERIFY(DailyQuota::allowsRun(QuotaState{45000, 99}));
        QVERIFY(!DailyQuota::allowsRun(QuotaState{45000, 100}));
        QVERIFY(!DailyQuota::allowsRun(QuotaState{45000, 250}));
    }

    void texts() {
        const QString notice = QStringLiteral("The total number of queries per day has been reached. Only 100 lookups "
                                              "are allowed per day.\r\n\r\nPlease try again tomorrow.");
        QCOMPARE(DailyQuota::refusalText(), notice);
        QCOMPARE(DailyQuota::closingText(true, false), QStringLiteral("Done."));
        QCOMPARE(DailyQuota::closingText(false, true), notice);
        QCOMPARE(DailyQuota::closingText(true, true), QStringLiteral("Done.\r\n\r\n") + notice);
        QCOMPARE(DailyQuota::closingText(false, false), QString());
    }

    void saveStoresTodayAndCount() {
        FakeDialogs dialogs;
        StepTrap trap{dialogs, QStringLiteral("Form1.PushButton17_Click")};
        QuotaState quota{44000, 100};
        DailyQuota::save(quota, 45000, trap);
        QCOMPARE(quota.day, 45000);
        QCOMPARE(Settings::get(DailyQuota::kDateKey), QStringLiteral("45000"));
        QCOMPARE(Settings::get(DailyQuota::kCountKey), QStringLiteral("100"));
        QVERIFY(dialogs.boxes.isEmpty());
    }

    void rowRules_data() {
        QTest::addColumn<bool>("found");
        QTest::addColumn<bool>("notFoundEntry");
        QTest::addColumn<bool>("showWord");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("checked");
        QTest::newRow("found, plain") << true << false << false << true << QString("ba·by") << "2" << true;
        QTest::newRow("found, plain, not-found option")
            << true << true << false << true << QString("ba·by") << "2" << true;
        QTest::newRow("found, word shown") << true << false << true << true << QString("baby - ba·by") << "2" << true;
        QTest::newRow("not found, entry") << false << true << false << true << "Not Found"
                                          << "" << false;
        QTest::newRow("not found, entry, word shown") << false << true << true << true << "baby - Not Found"
                                                      << "" << false;
        QTest::newRow("not found, no entry") << false << false << false << false << ""
                                             << "" << false;
        QTest::newRow("not found, no entry, word shown") << false << false << true << false << ""
                                                         << "" << false;
    }
    void rowRules() {
        QFETCH(bool, found);
        QFETCH(bool, notFoundEntry);
        QFETCH(bool, showWord);
        QFETCH(bool, present);
        QFETCH(QString, text);
        QFETCH(QString, count);
        QFETCH(bool, checked);
        const auto row = ResultOptions::rowFor(QStringLiteral("  baby "), found, QStringLiteral("ba·by"), 2, showWord,
                                               notFoundEntry);
        QCOMPARE(row.present, present);
        QCOMPARE(row.text, text);
        QCOMPARE(row.count, count);
        QCOMPARE(row.checked, checked);
    }
};

PARVENNA_TEST_MAIN(TestDailyQuota)
#include "TestDailyQuota.moc"
