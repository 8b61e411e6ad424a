// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "common/Numbers.h"

#include "TestEnvironment.h"

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void lenient_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("one") << "1" << 1.0;
        QTest::newRow("one point zero") << "1.0" << 1.0;
        QTest::newRow("leading blanks") << "   1" << 1.0;
        QTest::newRow("trailing text") << "1abc" << 1.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("word true") << "true" << 0.0;
        QTest::newRow("word yes") << "yes" << 0.0;
        QTest::newRow("two") << "2" << 2.0;
        QTest::newRow("negative") << "-3.5" << -3.5;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
    }
    void lenient() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Numbers::lenientNumber(text), value);
    }

    void strict16_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("error"); // 0: no error
        QTest::newRow("plain") << "7" << 7 << 0;
        QTest::newRow("blanks") << " 42 " << 42 << 0;
        QTest::newRow("half to even down") << "2.5" << 2 << 0;
        QTest::newRow("half to even up") << "3.5" << 4 << 0;
        QTest::newRow("fraction") << "6.7" << 7 << 0;
        QTest::newRow("max") << "32767" << 32767 << 0;
        QTest::newRow("min") << "-32768" << -32768 << 0;
        QTest::newRow("overflow") << "32768" << 0 << int(AppError::Overflow);
        QTest::newRow("word") << "abc" << 0 << int(AppError::TypeMismatch);
        QTest::newRow("empty") << "" << 0 << int(AppError::TypeMismatch);
        QTest::newRow("number then word") << "12x" << 0 << int(AppError::TypeMismatch);
    }
    void strict16() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(int, error);
        try {
            const int result = Numbers::strictInt16(text);
            QCOMPARE(error, 0);
            QCOMPARE(result, value);
        } catch (const AppError& e) {
            QCOMPARE(e.number(), error);
        }
    }

    void strict32Range() {
        QCOMPARE(Numbers::strictInt32(QStringLiteral("2147483647")), 2147483647);
        QVERIFY_THROWS_EXCEPTION(AppError, Numbers::strictInt32(QStringLiteral("2147483648")));
    }

    void dayNumbers() {
        QCOMPARE(Numbers::dayNumber(QDate(2000, 1, 1)), 36526);
        QCOMPARE(Numbers::dayNumber(QDate(2021, 8, 31)), 44439);
        QCOMPARE(Numbers::dateOfDayNumber(44439), QDate(2021, 8, 31));
    }
};

PARVENNA_TEST_MAIN(TestNumbers)
#include "TestNumbers.moc"
