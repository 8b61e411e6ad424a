// SPDX-License-Identifier: GPL-3.0-or-later
#include "Processes.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <csignal>
#include <memory>

namespace {

constexpr int kStartUpMs = 30000; // a loaded machine may take long to show a window
constexpr int kSecondStartMs = 10000;

} // namespace

// Two starts of the real program on one settings folder: one window per user.
class TestSingleInstance : public QObject {
    Q_OBJECT

    // The real program on its own settings folder, reporting what its window does.
    std::unique_ptr<QProcess> start(const QString& name, bool minimise = false) {
        const QString root = qEnvironmentVariable("TEMP") + QLatin1Char('/') + name;
        QDir().mkpath(root + QStringLiteral("/tmp"));
        QProcessEnvironment environment = Processes::programEnvironment(
            root + QStringLiteral("/config"), root + QStringLiteral("/tmp"), QStringLiteral(PARVENNA_PRESS_DRIVER));
        environment.remove(QStringLiteral("PARVENNA_SERVICE_ADDRESS")); // the built-in dictionary: no ping
        environment.insert(QStringLiteral("PARVENNA_TEST_REPORT"), QStringLiteral("1"));
        if (minimise)
            environment.insert(QStringLiteral("PARVENNA_TEST_MINIMISE"), QStringLiteral("1"));
        auto program = std::make_unique<QProcess>();
        program->setProcessEnvironment(environment);
        program->start(QStringLiteral(PARVENNA_EXECUTABLE), QStringList());
        program->waitForStarted(kStartUpMs);
        return program;
    }

private slots:
    // The second start brings the first (minimised) window back to the front and ends without a window of its own.
    void secondStartRaisesTheFirstAndEnds() {
        auto first = start(QStringLiteral("two-starts"), true);
        QVERIFY2(!Processes::waitForLine(*first, QStringLiteral("minimised"), kStartUpMs).isEmpty(),
                 first->readAllStandardError().constData());
        auto second = start(QStringLiteral("two-starts"));
        QElapsedTimer time;
        time.start();
        QVERIFY(second->waitForFinished(kSecondStartMs));
        QVERIFY2(time.elapsed() < kSecondStartMs, qPrintable(QString::number(time.elapsed())));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(!second->readAllStandardOutput().contains("shown"));
        QVERIFY(!Processes::waitForLine(*first, QStringLiteral("restored"), kSecondStartMs).isEmpty());
        QCOMPARE(first->state(), QProcess::Running);
        Processes::end(*first);
    }

    // A window killed outright leaves its lock behind; the next start takes it over and shows its window.
    void staleLockDoesNotBlock() {
        auto killed = start(QStringLiteral("stale-lock"));
        QVERIFY(!Processes::waitForLine(*killed, QStringLiteral("shown"), kStartUpMs).isEmpty());
        ::kill(pid_t(killed->processId()), SIGKILL);
        QVERIFY(killed->waitForFinished(kSecondStartMs));
        const QString lock = qEnvironmentVariable("TEMP") + QStringLiteral("/stale-lock/config/Orvanta/Parvenna.lock");
        QVERIFY(QFileInfo::exists(lock));
        auto next = start(QStringLiteral("stale-lock"));
        QStringList seen;
        QVERIFY2(!Processes::waitForLine(*next, QStringLiteral("shown"), kStartUpMs, &seen).isEmpty(),
                 qPrintable(seen.join(QLatin1Char('|')) + next->readAllStandardError()));
        Processes::end(*next);
        QCOMPARE(next->exitCode(), 0);
    }
};

PARVENNA_TEST_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
