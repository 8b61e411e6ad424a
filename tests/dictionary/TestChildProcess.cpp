// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "dictionary/ChildProcess.h"
#include "ui/ProgressBar.h"

#include "Processes.h"
#include "TestEnvironment.h"

#include <QElapsedTimer>
#include <QTimer>
#include <csignal>

namespace {

const QString kShell = QStringLiteral("/bin/sh");

QString sh(const QString& script, bool out, bool err) {
    return ChildProcess::CaptureCommandOutput(kShell, {QStringLiteral("-c"), script}, out, err, true);
}

// One program instance of the test below: starts "sleep 60" through the named runner and waits for it.
int holdChild(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments{QStringLiteral("60")};
    if (argc > 2 && QByteArray(argv[2]) == "capture") {
        ChildProcess::CaptureCommandOutput(QStringLiteral("sleep"), arguments, true, false, false);
    } else {
        std::optional<int> style = 0;
        ChildProcess::RunAndWait(QStringLiteral("sleep"), arguments, style, nullptr, {}, 120000);
    }
    return 0;
}

// Ends a process at the end of a scope unless it has ended already: a failing test leaves nothing running.
class EndAtExit {
public:
    pid_t pid = 0;
    EndAtExit() = default;
    EndAtExit(const EndAtExit&) = delete;
    EndAtExit& operator=(const EndAtExit&) = delete;
    ~EndAtExit() {
        if (pid > 0 && !Processes::ended(pid))
            ::kill(pid, SIGKILL);
    }
};

} // namespace

class TestChildProcess : public QObject {
    Q_OBJECT
private slots:
    void captureWithoutStreamStartsNothing() {
        const QString marker = qEnvironmentVariable("TEMP") + QStringLiteral("/started");
        try {
            sh(QStringLiteral("touch '%1'").arg(marker), false, false);
            QFAIL("no error raised");
        } catch (const AppError& error) {
            QCOMPARE(error.number(), 5);
            QCOMPARE(error.description(), QStringLiteral("Invalid procedure call or argument"));
        }
        QTest::qWait(100);
        QVERIFY(!QFileInfo::exists(marker));
    }

    void capture_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("out");
        QTest::addColumn<bool>("err");
        QTest::addColumn<QString>("expected");
        QTest::newRow("stdout only") << "echo one; echo two >&2" << true << false << "one\n";
        QTest::newRow("stderr only") << "echo one; echo two >&2" << false << true << "two\n";
        QTest::newRow("both in write order")
            << "echo a; echo b >&2; echo c; echo d >&2" << true << true << "a\nb\nc\nd\n";
        QTest::newRow("prints nothing") << "exit 0" << true << true << "";
        QTest::newRow("utf-8") << "printf 'caf\\303\\251'" << true << false << QStringLiteral("caf\u00e9");
        QTest::newRow("windows-1252") << "printf 'caf\\351 \\200'" << true << false
                                      << QStringLiteral("caf\u00e9 \u20ac");
        QTest::newRow("failing child") << "echo partial; exit 3" << true << false << "partial\n";
    }
    void capture() {
        QFETCH(QString, script);
        QFETCH(bool, out);
        QFETCH(bool, err);
        QFETCH(QString, expected);
        QCOMPARE(sh(script, out, err), expected);
    }

    void captureLongOutputWholeAndInOrder() {
        // 20000 numbered lines, far beyond one 1024-byte read, interleaved on both streams.
        const QString output =
            sh(QStringLiteral("i=0; while [ $i -lt 20000 ]; do echo \"line $i\"; i=$((i+1)); done; echo end >&2"), true,
               true);
        const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 20001);
        for (int i = 0; i < 20000; i += 997)
            QCOMPARE(lines[i], QStringLiteral("line %1").arg(i));
        QCOMPARE(lines.last(), QStringLiteral("end"));
    }

    void captureMissingProgram() {
        QCOMPARE(ChildProcess::CaptureCommandOutput(QStringLiteral("/no/such/program"), {}, true, false, true),
                 ChildProcess::kFailedToCreate);
        QCOMPARE(ChildProcess::CaptureCommandOutput(QStringLiteral("no-such-program-parvenna"), {}, true, false, true),
                 QStringLiteral("Failed to create process, check the path of the command line."));
    }

    void captureArgumentsAreNeverSplit() {
        const QString argument = QStringLiteral("a b \"c\" 'd' $HOME ; rm -rf x");
        QCOMPARE(ChildProcess::CaptureCommandOutput(QStringLiteral("printf"), {QStringLiteral("%s"), argument}, true,
                                                    false, false),
                 argument);
    }

    void runAndWaitNormalisesWindowStyle_data() {
        QTest::addColumn<std::optional<int>>("style");
        QTest::addColumn<int>("after");
        QTest::newRow("absent") << std::optional<int>() << 6;
        QTest::newRow("seven") << std::optional<int>(7) << 6;
        QTest::newRow("minus one") << std::optional<int>(-1) << 6;
        QTest::newRow("hidden kept") << std::optional<int>(0) << 0;
        QTest::newRow("normal kept") << std::optional<int>(1) << 1;
        QTest::newRow("six kept") << std::optional<int>(6) << 6;
    }
    void runAndWaitNormalisesWindowStyle() {
        QFETCH(std::optional<int>, style);
        QFETCH(int, after);
        QCOMPARE(ChildProcess::RunAndWait(kShell, {QStringLiteral("-c"), QStringLiteral("exit 4")}, style, nullptr), 4);
        QVERIFY(style.has_value());
        QCOMPARE(*style, after);
    }

    // The child's standard output reaches the caller who asks for it, also when the child fails.
    void runAndWaitHandsBackTheOutput() {
        std::optional<int> style = 0;
        QByteArray output = "left from before";
        QCOMPARE(ChildProcess::RunAndWait(kShell, {QStringLiteral("-c"), QStringLiteral("printf 403; exit 3")}, style,
                                          nullptr, {}, ChildProcess::kTimeLimitMs, {}, &output),
                 3);
        QCOMPARE(output, QByteArray("403"));
        QCOMPARE(ChildProcess::RunAndWait(QStringLiteral("/no/such/program"), {}, style, nullptr, {},
                                          ChildProcess::kTimeLimitMs, {}, &output),
                 ChildProcess::kStartErrorBase + 53);
        QCOMPARE(output, QByteArray());
    }

    void runAndWaitStartFailureLeavesBarAlone() {
        ProgressBar bar;
        bar.setBarText(QStringLiteral("Processing: baby"));
        std::optional<int> style = 0;
        const qint32 result = ChildProcess::RunAndWait(QStringLiteral("/no/such/program"), {}, style, &bar);
        QCOMPARE(result, -2147221504 + 53);
        QVERIFY(result < 0);
        QCOMPARE(bar.barText(), QStringLiteral("Processing: baby"));

        QTemporaryFile notExecutable;
        QVERIFY(notExecutable.open());
        QCOMPARE(ChildProcess::RunAndWait(notExecutable.fileName(), {}, style, &bar), -2147221504 + 70);
        QCOMPARE(bar.barText(), QStringLiteral("Processing: baby"));
    }

    void runAndWaitCountsPollsOnTheBar() {
        ProgressBar bar;
        QStringList seen;
        QTimer sampler; // runs only if the wait lets the message loop run
        connect(&sampler, &QTimer::timeout, this, [&] {
            if (seen.isEmpty() || seen.last() != bar.barText())
                seen << bar.barText();
        });
        sampler.start(10);
        std::optional<int> style = 0;
        QElapsedTimer clock;
        clock.start();
        const qint32 code =
            ChildProcess::RunAndWait(kShell, {QStringLiteral("-c"), QStringLiteral("sleep 1; exit 7")}, style, &bar);
        const qint64 elapsed = clock.elapsed();
        sampler.stop();
        QCOMPARE(code, 7);
        QCOMPARE(bar.barText(), QStringLiteral("Progress Bar"));
        QVERIFY2(seen.size() >= 8, qPrintable(seen.join(QLatin1Char(','))));
        for (int i = 0; i < seen.size(); ++i)
            QCOMPARE(seen[i], QStringLiteral("Please wait.. %1").arg(i + 1));
        QVERIFY2(seen.size() <= 14, qPrintable(seen.join(QLatin1Char(','))));
        QVERIFY2(elapsed < 2500, qPrintable(QString::number(elapsed)));
    }

    void runAndWaitReturnsAsSoonAsTheChildEnds() {
        // The poll interval is 100 ms; a child that ends at once must not cost one.
        std::optional<int> style = 0;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i)
            QCOMPARE(ChildProcess::RunAndWait(QStringLiteral("true"), {}, style, nullptr), 0);
        QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    }

    void runAndWaitEndsAChildPastTheTimeLimit() {
        ProgressBar bar;
        QElapsedTimer clock;
        clock.start();
        std::optional<int> style = 0;
        QCOMPARE(ChildProcess::RunAndWait(QStringLiteral("sleep"), {QStringLiteral("20")}, style, &bar, {}, 400), -1);
        QVERIFY2(clock.elapsed() >= 400 && clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(bar.barText(), QStringLiteral("Progress Bar"));
    }

    void runAndWaitEndsTheChildWhenStopped() {
        ProgressBar bar;
        QElapsedTimer clock;
        clock.start();
        std::optional<int> style = 0;
        const qint32 code = ChildProcess::RunAndWait(QStringLiteral("sleep"), {QStringLiteral("20")}, style, &bar,
                                                     [&] { return clock.elapsed() > 300; });
        QCOMPARE(code, -1);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(bar.barText(), QStringLiteral("Progress Bar"));
    }

    void childEndsWhenTheProgramIsKilled_data() {
        QTest::addColumn<QString>("runner");
        QTest::newRow("run and wait") << "run";
        QTest::newRow("capture output") << "capture";
    }
    void childEndsWhenTheProgramIsKilled() {
        // A program killed outright (no handler runs) must not leave its child behind.
        QFETCH(QString, runner);
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-child"), runner});
        QVERIFY(program.waitForStarted(10000));
        const auto programPid = static_cast<pid_t>(program.processId());
        QList<Processes::Info> children;
        QTRY_VERIFY_WITH_TIMEOUT(!(children = Processes::childrenOf(programPid)).isEmpty(), 10000);
        EndAtExit child;
        child.pid = children.front().pid;
        QVERIFY2(children.front().commandLine.endsWith(QStringLiteral("sleep 60")),
                 qPrintable(children.front().commandLine));

        ::kill(programPid, SIGKILL);
        QVERIFY(program.waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(Processes::ended(child.pid), 5000);
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--hold-child")
        return holdChild(argc, argv);
    TestEnvironment environment;
    QApplication app(argc, argv);
    TestChildProcess test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "TestChildProcess.moc"
