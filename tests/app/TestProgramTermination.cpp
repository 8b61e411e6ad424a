// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Numbers.h"
#include "dictionary/LocalDictionaryService.h"
#include "dictionary/ProcessIdentity.h"

#include "Processes.h"
#include "TestEnvironment.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <csignal>

namespace {

const QString kWords = QStringLiteral("baby;diamond;about");

QString settingsFile(const QString& configFolder) {
    return configFolder + QStringLiteral("/Orvanta/Parvenna.conf");
}

// A run folder that a killed copy of the program left behind.
QString leaveAbandonedRunFolder(const QString& temp) {
    QProcess ended;
    ended.start(QStringLiteral("true"), QStringList());
    ended.waitForStarted(10000);
    ProcessIdentity owner = ProcessIdentity::ofPid(ended.processId());
    ended.waitForFinished(10000);
    owner.startTime = "4242";
    const QString folder = temp + QStringLiteral("/parvenna-run-%1-aB3xY9").arg(owner.pid);
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/owner"));
    if (file.open(QIODevice::WriteOnly))
        file.write(owner.record());
    QFile tool(folder + QStringLiteral("/curl.exe"));
    if (tool.open(QIODevice::WriteOnly))
        tool.write("tool");
    return folder;
}

QStringList runFolders(const QString& temp) {
    return QDir(temp).entryList({QStringLiteral("parvenna-run-*")}, QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

// The real program, started as a user would, is told to end by a signal in the middle of a lookup.
class TestProgramTermination : public QObject {
    Q_OBJECT

    LocalDictionaryService m_service;

    QProcessEnvironment programEnvironment(const QString& config, const QString& temp) const {
        QProcessEnvironment environment =
            Processes::programEnvironment(config, temp, QStringLiteral(PARVENNA_PRESS_DRIVER));
        environment.insert(QStringLiteral("PARVENNA_SERVICE_ADDRESS"), m_service.address());
        environment.insert(QStringLiteral("PARVENNA_SERVICE_KEY"), m_service.key());
        environment.insert(QStringLiteral("PARVENNA_TEST_PRESS"), QStringLiteral("PushButton17"));
        return environment;
    }

private slots:
    void initTestCase() {
        LocalDictionaryService::Options options;
        options.delayMs = 120000; // every lookup is still waiting when the signal comes
        QVERIFY2(m_service.start(options), qPrintable(m_service.errorString()));
    }

    void signalDuringRunEndsTheProgramAsClosingDoes_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalDuringRunEndsTheProgramAsClosingDoes() {
        QFETCH(int, number);
        const QString root = qEnvironmentVariable("TEMP") + QStringLiteral("/") + QString::number(number);
        const QString config = root + QStringLiteral("/config");
        const QString temp = root + QStringLiteral("/tmp");
        QVERIFY(QDir().mkpath(temp));
        const std::int32_t yesterday = Numbers::dayNumber(QDate::currentDate()) - 1;
        {
            QSettings stored(settingsFile(config), QSettings::IniFormat);
            stored.setValue(QStringLiteral("Zip Codes"), kWords);
            stored.setValue(QStringLiteral("Request date"), QString::number(yesterday));
            stored.setValue(QStringLiteral("Request count"), QStringLiteral("7"));
        }
        const QString abandoned = leaveAbandonedRunFolder(temp);
        m_service.clearReceivedWords();

        QProcess program;
        program.setProcessEnvironment(programEnvironment(config, temp));
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(PARVENNA_EXECUTABLE), QStringList());
        QVERIFY(program.waitForStarted(10000));
        const auto pid = static_cast<pid_t>(program.processId());
        const auto output = [&] { return QString::fromLocal8Bit(program.readAll()); };

        // Start-up, the press, the first word on its way: the service has it, curl waits for the answer.
        QTRY_VERIFY2_WITH_TIMEOUT(!m_service.receivedWords().isEmpty(), qPrintable(output()), 30000);
        QCOMPARE(m_service.receivedWords(), QStringList{QStringLiteral("baby")});
        QVERIFY(!QFileInfo::exists(abandoned));
        QCOMPARE(runFolders(temp).size(), 1);
        const QList<Processes::Info> children = Processes::childrenOf(pid);
        QCOMPARE(children.size(), 1);
        QVERIFY2(children.front().commandLine.contains(QStringLiteral("/curl.exe ")),
                 qPrintable(children.front().commandLine));

        ::kill(pid, number);
        QVERIFY2(program.waitForFinished(15000), qPrintable(output()));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(Processes::ended(children.front().pid), 5000);
        QCOMPARE(runFolders(temp), QStringList());

        // Saved as on a close: the word list, and the quota with the lookup that reached the service.
        QSettings stored(settingsFile(config), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Zip Codes")).toString(), kWords);
        const std::int32_t savedDay = stored.value(QStringLiteral("Request date")).toString().toInt();
        QVERIFY2(savedDay == yesterday + 1 || savedDay == yesterday + 2, qPrintable(QString::number(savedDay)));
        QCOMPARE(stored.value(QStringLiteral("Request count")).toString(), QStringLiteral("1"));
    }
};

PARVENNA_TEST_MAIN(TestProgramTermination)
#include "TestProgramTermination.moc"
