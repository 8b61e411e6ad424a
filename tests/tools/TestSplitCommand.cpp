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

// The tool run by bash, so that a test can hand it a closed descriptor, a device or a memory limit; $TOOL is the tool.
// Bounded: a tool that keeps running is killed after the given time and reported as -3.
Outcome shell(const QString& command, int limitMs = 60000) {
    QProcess bash;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TOOL"), QStringLiteral(PARVENNA_BINARY_DIR "/parvenna-dictionary"));
    bash.setProcessEnvironment(environment);
    bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), command});
    if (!bash.waitForFinished(limitMs)) {
        bash.kill();
        bash.waitForFinished(5000);
        return {-3, QString::fromUtf8(bash.readAllStandardOutput()), QString::fromUtf8(bash.readAllStandardError())};
    }
    return {bash.exitCode(), QString::fromUtf8(bash.readAllStandardOutput()),
            QString::fromUtf8(bash.readAllStandardError())};
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
                                      "1234\ttwelve·thir·ty-four\t4\tnumber\n"
                                      "flibbery\tflib·ber·y\t3\testimated\n"
                                      "diamond\tdi·a·mond\t3\tdictionary\n"));
    }

    // Prose as it is printed: curly quotes, a dash, a no-break space, an ellipsis, contractions, numbers.
    void aParagraphOfProse() {
        const QByteArray paragraph = "\xE2\x80\x9C"
                                     "Don\xE2\x80\x99t go,\xE2\x80\x9D she said\xE2\x80\x94it\xE2\x80\x99s 1990\xC2\xA0"
                                     "already\xE2\x80\xA6 Mr O\xE2\x80\x99"
                                     "Brien\xE2\x80\x99s TV cost $66.\n";
        const QString path = TestEnvironment::writeTempFile("paragraph.txt", paragraph);
        const Outcome prose = split({path});
        QCOMPARE(prose.exitCode, 0);
        QCOMPARE(prose.out, QString("Don’t\tDon’t\t1\tdictionary\n"
                                    "go\tgo\t1\tdictionary\n"
                                    "she\tshe\t1\tdictionary\n"
                                    "said\tsaid\t1\tdictionary\n"
                                    "it’s\tit’s\t1\tderived\n"
                                    "1990\tnine·teen·nine·ty\t4\tnumber\n"
                                    "already\tal·read·y\t3\tdictionary\n"
                                    "Mr\tMis·ter\t2\tderived\n"
                                    "O’Brien’s\tO’·Bri·en’s\t3\testimated\n"
                                    "TV\tT·V\t2\tderived\n"
                                    "cost\tcost\t1\tdictionary\n"
                                    "66\tsix·ty-six\t3\tnumber\n"));
        // The window import's cutting: apostrophes separate, the rest as above.
        const Outcome imported = split({QStringLiteral("--import-rules"), path});
        QStringList words;
        for (const QString& line : imported.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            words << line.section(QLatin1Char('\t'), 0, 0);
        QCOMPARE(words, QString("Don t go she said it s 1990 already Mr O Brien s TV cost 66").split(' '));
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
        // Controls and the euro sign (0x80 as Windows-1252) separate: ÿþ, zz, baÿby.
        QTest::newRow("binary bytes") << QByteArray("\x01\xff\xfe\x80zz\x00"
                                                    "ba\xff"
                                                    "by\x00",
                                                    12)
                                      << 3;
        QTest::newRow("one 1 MB line is no word") << QByteArray(1 << 20, 'a') << 0;
        QTest::newRow("words around an over-long one") << "a " + QByteArray(5000, 'b') + " c" << 2;
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
        QVERIFY2(outcome.err.contains(missing + QStringLiteral(": No such file or directory")),
                 qPrintable(outcome.err));
        QVERIFY2(outcome.err.contains(QStringLiteral(": Is a directory")), qPrintable(outcome.err));
        QCOMPARE(outcome.out, QString("baby\tba·by\t2\tdictionary\n"));
    }

    // Every input is read in pieces, whatever it is; a read or write failure is one message with its reason.
    void inputsAndOutputs_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("- is standard input") << "echo baby | $TOOL --split -" << 0 << "baby\tba·by\t2\tdictionary\n"
                                             << "";
        QTest::newRow("/dev/null") << "$TOOL --split /dev/null" << 0 << ""
                                   << "";
        QTest::newRow("process substitution") << "$TOOL --split <(echo baby)" << 0 << "baby\tba·by\t2\tdictionary\n"
                                              << "";
        QTest::newRow("closed standard input") << "$TOOL --split <&-" << 1 << ""
                                               << "parvenna-dictionary: standard input: Bad file descriptor\n";
        QTest::newRow("a folder as standard input") << "$TOOL --split < /" << 1 << ""
                                                    << "parvenna-dictionary: standard input: Is a directory\n";
        QTest::newRow("full disk") << "yes baby | head -n 100000 | $TOOL --split > /dev/full" << 1 << ""
                                   << "parvenna-dictionary: the output: No space left on device\n";
#ifdef __SANITIZE_ADDRESS__
        const QString addressLimit; // AddressSanitizer reserves terabytes of address space for its own use
#else
        const QString addressLimit = QStringLiteral("ulimit -v 1000000; ");
#endif
        QTest::newRow("/dev/zero in 1 GB of address space, stopped after 3 s")
            << addressLimit + "timeout 3 $TOOL --split /dev/zero; echo \"rc $?\"" << 0 << "rc 124\n"
            << "";
    }
    void inputsAndOutputs() {
        QFETCH(QString, command);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Outcome outcome = shell(command);
        QCOMPARE(outcome.err, err);
        QCOMPARE(outcome.out, out);
        QCOMPARE(outcome.exitCode, exitCode);
    }
};

PARVENNA_TEST_MAIN(TestSplitCommand)
#include "TestSplitCommand.moc"
