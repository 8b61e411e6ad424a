// SPDX-License-Identifier: GPL-3.0-or-later
// parvenna-dictionary --split, run as a user runs it: files and standard input in, one line a word out.
#include "TestEnvironment.h"

#include <QProcess>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome split(const QStringList& files, const QByteArray& input = {}) {
    QProcess tool;
    tool.start(QStringLiteral(PARVENNA_BINARY_DIR "/parvenna-dictionary"), QStringList{"--split"} + files);
    if (!tool.waitForStarted(10000))
        return {};
    tool.write(input);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished(5000);
        return {};
    }
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -2,
            QString::fromUtf8(tool.readAllStandardOutput()), QString::fromUtf8(tool.readAllStandardError())};
}

} // namespace

class TestSplitCommand : public QObject {
    Q_OBJECT
private slots:
    void linesForEveryKindOfWord() {
        const Outcome outcome =
            split({TestEnvironment::writeTempFile("words.txt", "baby, walking; New\n1234 flibbery diamond")});
        QCOMPARE(outcome.exitCode, 0);
        QCOMPARE(outcome.err, QString());
        QCOMPARE(outcome.out, QString("baby\tba·by\t2\tdictionary\n"
                                      "walking\twalk·ing\t2\tdictionary\n"
                                      "New\tNew\t1\tdictionary\n"
                                      "1234\t\t\tnot found\n"
                                      "flibbery\tflib·ber·y\t3\testimated\n"
                                      "diamond\tdi·a·mond\t3\tdictionary\n"));
    }

    void standardInputWhenNoFileIsNamed() {
        const Outcome outcome = split({}, "babies\n");
        QCOMPARE(outcome.exitCode, 0);
        QCOMPARE(outcome.out, QString("babies\tba·bies\t2\tderived\n"));
    }

    void badInput_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("binary bytes") << QByteArray("\x01\xff\xfe\x80zz\x00"
                                                    "ba\xff"
                                                    "by\x00",
                                                    12)
                                      << 2;
        QTest::newRow("one 1 MB line") << QByteArray(1 << 20, 'a') << 1;
    }
    void badInput() {
        QFETCH(QByteArray, content);
        QFETCH(int, lines);
        const Outcome outcome = split({TestEnvironment::writeTempFile("bad.txt", content)});
        QCOMPARE(outcome.exitCode, 0);
        QCOMPARE(int(outcome.out.count(QLatin1Char('\n'))), lines);
    }

    void unreadableFilesAreNamedAndTheOthersStillSplit() {
        const QString missing = qEnvironmentVariable("TEMP") + QStringLiteral("/missing.txt");
        const Outcome outcome =
            split({missing, qEnvironmentVariable("TEMP"), TestEnvironment::writeTempFile("one.txt", "baby")});
        QCOMPARE(outcome.exitCode, 1);
        QVERIFY2(outcome.err.contains(missing + QStringLiteral(": no such file")), qPrintable(outcome.err));
        QVERIFY2(outcome.err.contains(QStringLiteral(": not a regular file")), qPrintable(outcome.err));
        QCOMPARE(outcome.out, QString("baby\tba·by\t2\tdictionary\n"));
    }
};

PARVENNA_TEST_MAIN(TestSplitCommand)
#include "TestSplitCommand.moc"
