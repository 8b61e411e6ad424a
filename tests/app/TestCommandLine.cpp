// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "TestEnvironment.h"

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void immediateAnswer_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("answer"); // "help", "version" or "window"
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
        QTest::newRow("after --") << QStringList{"--", "--help"} << "window";
        QTest::newRow("a word") << QStringList{"help"} << "window";
        QTest::newRow("unknown option") << QStringList{"--verbose"} << "window";
    }
    void immediateAnswer() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, answer);
        const std::optional<QString> text = CommandLine::immediateAnswer(arguments);
        const QString kind = !text                                 ? QStringLiteral("window")
                             : *text == CommandLine::helpText()    ? QStringLiteral("help")
                             : *text == CommandLine::versionText() ? QStringLiteral("version")
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
