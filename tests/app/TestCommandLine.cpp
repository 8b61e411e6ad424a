// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "TestEnvironment.h"

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void immediateAnswer_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("answer"); // "help", "version", "usage" or "window"
        QTest::newRow("no arguments") << QStringList{} << "window";
        QTest::newRow("--help") << QStringList{"--help"} << "help";
        QTest::newRow("-h") << QStringList{"-h"} << "help";
        QTest::newRow("-?") << QStringList{"-?"} << "help";
        QTest::newRow("--version") << QStringList{"--version"} << "version";
        QTest::newRow("-v") << QStringList{"-v"} << "version";
        QTest::newRow("first one decides") << QStringList{"--version", "--help"} << "version";
        QTest::newRow("after Qt's options") << QStringList{"-platform", "offscreen", "--help"} << "help";
        // Qt's own single-dash options are not bundles of letters: -reverse holds a v, -stylesheet an h.
        QTest::newRow("-reverse") << QStringList{"-reverse"} << "window";
        QTest::newRow("-stylesheet") << QStringList{"-stylesheet", "x.qss"} << "window";
        QTest::newRow("Qt's option with =") << QStringList{"-style=Fusion", "--platform", "offscreen"} << "window";
        QTest::newRow("-session when the desktop restores it") << QStringList{"-session", "1a2b"} << "window";
        QTest::newRow("Qt's option without its value") << QStringList{"-platform"} << "usage";
        QTest::newRow("after --") << QStringList{"--", "--help"} << "usage";
        QTest::newRow("a word") << QStringList{"help"} << "usage";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "usage";
        QTest::newRow("unknown before --help") << QStringList{"--verbose", "--help"} << "usage";
        QTest::newRow("a flag given a value") << QStringList{"-reverse=yes"} << "usage";
    }
    void immediateAnswer() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, answer);
        const std::optional<CommandLine::Answer> given = CommandLine::immediateAnswer(arguments);
        const QString kind = !given                                      ? QStringLiteral("window")
                             : given->text == CommandLine::helpText()    ? QStringLiteral("help")
                             : given->text == CommandLine::versionText() ? QStringLiteral("version")
                             : given->exitStatus == 2                    ? QStringLiteral("usage")
                                                                         : QStringLiteral("other");
        QCOMPARE(kind, answer);
    }

    void argumentsSkipTheProgramName() {
        char program[] = "parvenna";
        char first[] = "--help";
        char second[] = "w\xc3\xb6rd";
        char* argv[] = {program, first, second, nullptr};
        QCOMPARE(CommandLine::arguments(3, argv), (QStringList{QStringLiteral("--help"), QStringLiteral("w\u00f6rd")}));
    }
};

PARVENNA_TEST_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
