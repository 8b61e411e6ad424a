// SPDX-License-Identifier: GPL-3.0-or-later
// Installs the build into a temporary prefix, moves that prefix somewhere else and runs the programs from there:
// an installed copy finds its data relative to itself, never in the build or source folders.
#include "Processes.h"
#include "ProgramRun.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kInstallMs = 120000;
constexpr int kRunMs = 60000;
constexpr int kWindowUpMs = 3000;

using Run = ProgramRun;

Run run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
        int timeoutMs = kRunMs) {
    return ProgramRun::run(program, arguments, environment, timeoutMs);
}

QStringList sourceDataFiles() {
    return QDir(QStringLiteral(PARVENNA_FIXTURES "/../../data"))
        .entryList({QStringLiteral("*.txt"), QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestInstalledCopy : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_prefix; // the installed copy after it was moved

    QString installed(const QString& relative) const { return m_prefix + QLatin1Char('/') + relative; }

    // A user with no dictionary service configured, private settings and temporary folder, no display.
    QProcessEnvironment userEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"PARVENNA_SERVICE_ADDRESS", "PARVENNA_SERVICE_KEY", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("TEMP"), m_root.filePath(QStringLiteral("tmp")));
        environment.insert(QStringLiteral("PARVENNA_PING_HOST"), QStringLiteral("127.0.0.1"));
        environment.insert(QStringLiteral("PARVENNA_HOME_PAGE"), QString());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return environment;
    }

    // The user's environment with the test driver in the window: it tells what the window shows.
    QProcessEnvironment drivenEnvironment() const {
        QProcessEnvironment environment = userEnvironment();
        const QProcessEnvironment driven =
            Processes::programEnvironment(environment.value(QStringLiteral("XDG_CONFIG_HOME")),
                                          environment.value(QStringLiteral("TEMP")), PARVENNA_PRESS_DRIVER);
        for (const char* name : {"LD_PRELOAD", "ASAN_OPTIONS"})
            environment.insert(QString::fromLatin1(name), driven.value(QString::fromLatin1(name)));
        environment.insert(QStringLiteral("PARVENNA_TEST_REPORT"), QStringLiteral("1"));
        return environment;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_root.isValid());
        const QString first = m_root.filePath(QStringLiteral("first"));
        const Run install =
            run(QStringLiteral(PARVENNA_CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(PARVENNA_BINARY_DIR), QStringLiteral("--prefix"), first},
                QProcessEnvironment::systemEnvironment(), kInstallMs);
        QVERIFY2(install.finished && install.exitCode == 0, (install.out + install.err).constData());
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("moved/elsewhere")));
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("config")));
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("tmp")));
        QVERIFY(QDir().rename(first, m_root.filePath(QStringLiteral("moved/elsewhere/parvenna"))));
        m_prefix = QFileInfo(m_root.filePath(QStringLiteral("moved/elsewhere/parvenna"))).canonicalFilePath();
        QVERIFY(!QFileInfo::exists(first));
    }

    void installedFiles_data() {
        QTest::addColumn<QString>("path");
        for (const char* path :
             {"bin/parvenna", "bin/parvenna-dictionary", "share/applications/parvenna.desktop",
              "share/icons/hicolor/scalable/apps/parvenna.svg", "share/metainfo/com.orvanta.Parvenna.metainfo.xml",
              "share/man/man1/parvenna.1.gz", "share/man/man1/parvenna-dictionary.1.gz", "share/doc/parvenna/copyright",
              "share/parvenna/manifest"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void installedFiles() {
        QFETCH(QString, path);
        const QFileInfo file(installed(path));
        QVERIFY2(file.isFile() && file.size() > 0, qPrintable(file.filePath()));
        if (path.startsWith(QLatin1String("bin/")))
            QVERIFY(file.isExecutable());
    }

    void iconsRendered_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("48 px") << 48;
        QTest::newRow("256 px") << 256;
    }
    void iconsRendered() {
        QFETCH(int, size);
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/parvenna.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
    }

    // Every data file of the source, byte for byte.
    void everyDataFileInstalled() {
        const QStringList names = sourceDataFiles();
        QVERIFY(names.contains(QStringLiteral("words.txt")));
        for (const QString& name : names) {
            const QByteArray source = contents(QStringLiteral(PARVENNA_FIXTURES "/../../data/") + name);
            QVERIFY2(contents(installed(QStringLiteral("share/parvenna/") + name)) == source, qPrintable(name));
        }
    }

    // A program in the moved copy's bin folder finds every data file in the moved copy, and names the installed
    // place for a file that does not exist.
    void dataFilesFoundInMovedCopy() {
        const QString probe = installed(QStringLiteral("bin/DataFilesProbe"));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/DataFilesProbe"), probe));
        QStringList names = sourceDataFiles();
        names.append(QStringLiteral("no-such-file.dat"));
        const Run result = run(probe, names, userEnvironment());
        QCOMPARE(result.exitCode, 0);
        const QStringList lines = QString::fromLocal8Bit(result.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), names.size());
        for (qsizetype i = 0; i < names.size(); ++i)
            QCOMPARE(lines.at(i), installed(QStringLiteral("share/parvenna/") + names.at(i)));
    }

    // --help and --version answer without a display: no window is opened.
    void commandLineWithoutDisplay_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected"); // the output starts with it
        QTest::newRow("parvenna --version") << "parvenna"
                                            << "--version"
                                            << "parvenna " PARVENNA_VERSION "\n";
        QTest::newRow("parvenna -v") << "parvenna"
                                     << "-v"
                                     << "parvenna " PARVENNA_VERSION "\n";
        QTest::newRow("parvenna --help") << "parvenna"
                                         << "--help"
                                         << "Usage: parvenna";
        QTest::newRow("parvenna-dictionary --version") << "parvenna-dictionary"
                                                       << "--version"
                                                       << "parvenna-dictionary " PARVENNA_VERSION "\n";
        QTest::newRow("parvenna-dictionary --help") << "parvenna-dictionary"
                                                    << "--help"
                                                    << "Usage: ";
    }
    void commandLineWithoutDisplay() {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QProcessEnvironment environment = userEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const Run result = run(installed(QStringLiteral("bin/") + program), {option}, environment);
        QVERIFY2(result.finished && result.exitCode == 0, result.err.constData());
        QVERIFY2(QString::fromUtf8(result.out).startsWith(expected), result.out.constData());
    }

    // The window starts from the moved copy with no service configured and stays up until it is ended.
    void windowStartsFromMovedCopy() {
        QProcess window;
        window.setProcessEnvironment(userEnvironment());
        window.start(installed(QStringLiteral("bin/parvenna")), {});
        QVERIFY(window.waitForStarted(kRunMs));
        const bool ended = window.waitForFinished(kWindowUpMs);
        if (!ended) {
            window.terminate();
            if (!window.waitForFinished(kRunMs)) {
                window.kill();
                window.waitForFinished(5000);
            }
        }
        QVERIFY2(!ended, window.readAllStandardError().constData());
    }

    // A data file damaged after the installation (one flipped bit; the kinds of damage are TestDataFiles') is
    // refused, named, by the command line and by the window as soon as it shows; the intact file is put back.
    void damagedDataRefused() {
        const QString file = installed(QStringLiteral("share/parvenna/dictionary.txt"));
        const QByteArray intact = contents(file);
        QByteArray damaged = intact;
        damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x01);
        const auto write = [&](const QByteArray& bytes) {
            QFile out(file);
            return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
        };
        QVERIFY(write(damaged));
        const Run split =
            run(installed(QStringLiteral("bin/parvenna-dictionary")), {QStringLiteral("--split")}, userEnvironment());
        QProcess window;
        window.setProcessEnvironment(drivenEnvironment());
        window.start(installed(QStringLiteral("bin/parvenna")), {});
        const QString message = Processes::waitForLine(window, QStringLiteral("message: "), kRunMs);
        Processes::end(window);
        QVERIFY(write(intact));
        QCOMPARE(split.exitCode, 1);
        for (const QString& said : {QString::fromUtf8(split.err), message})
            QVERIFY2(said.contains(file + QStringLiteral(" is damaged")), qPrintable(said));
    }

    // The built-in dictionary of the moved copy divides a word.
    void splitFromMovedCopy() {
        const QString words = installed(QStringLiteral("words-to-split.txt"));
        QFile file(words);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("baby\n") == 5);
        file.close();
        const Run result = run(installed(QStringLiteral("bin/parvenna-dictionary")), {QStringLiteral("--split"), words},
                               userEnvironment());
        QVERIFY2(result.finished && result.exitCode == 0, result.err.constData());
        QCOMPARE(QString::fromUtf8(result.out), QStringLiteral("baby\tba\u00b7by\t2\tdictionary\n"));
    }
};

PARVENNA_TEST_MAIN(TestInstalledCopy)
#include "TestInstalledCopy.moc"
