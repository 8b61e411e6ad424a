// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Settings.h"
#include "common/StepTrap.h"
#include "lists/StoredWordList.h"
#include "ui/ListControl.h"

#include "FakePlatform.h"
#include "FileSizeLimit.h"
#include "TestEnvironment.h"

#include <QSettings>
#include <new>

namespace {

QByteArray settingsFileBytes() {
    QFile file(QSettings(Settings::kApplication, Settings::kSection).fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestStoredWordList : public QObject {
    Q_OBJECT
private slots:
    // Whatever fails while the list is saved, the list stored before stays byte for byte, and one report says so.
    void failedSaveKeepsTheStoredList_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("step");
        QTest::newRow("no memory for the new value") << "memory" << 102;
        QTest::newRow("the new file cannot be written") << "write" << 110;
    }
    void failedSaveKeepsTheStoredList() {
        QFETCH(QString, fault);
        QFETCH(int, step);
        TestEnvironment::clearSettings();
        // Large enough that the store's small lock file can still be written under the limit below.
        Settings::save(StoredWordList::kKey, QStringList(200, QStringLiteral("baby")).join(QLatin1Char(';')));
        const QByteArray before = settingsFileBytes();
        ListControl words;
        words.addColumn(QStringLiteral(" Words"));
        words.addRows(QStringList(400, QStringLiteral("diamond")));
        FakeDialogs dialogs;
        StepTrap trap{dialogs, QStringLiteral("Form1.Form_QueryUnload")};
        if (fault == QLatin1String("memory")) {
            StoredWordList::save(trap, words, [](const ListControl&) -> QString { throw std::bad_alloc(); });
        } else {
            const FileSizeLimit limit(before.size());
            StoredWordList::save(trap, words);
        }
        QCOMPARE(settingsFileBytes(), before);
        const QStringList reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports[0].contains(StoredWordList::kNotSaved), qPrintable(reports[0]));
        QVERIFY(reports[0].contains(QStringLiteral("Form1.Form_QueryUnload at line %1\r\r").arg(step)));
    }
};

PARVENNA_TEST_MAIN(TestStoredWordList)
#include "TestStoredWordList.moc"
