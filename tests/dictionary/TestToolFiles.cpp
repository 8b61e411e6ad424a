// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "dictionary/ProcessIdentity.h"
#include "dictionary/ToolFiles.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets an environment variable for one scope and restores it afterwards.
class EnvironmentChange {
public:
    EnvironmentChange(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvironmentChange() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

QString failureOf(ToolFiles& tools) {
    try {
        tools.ExtractToolFiles();
    } catch (const AppError& error) {
        return error.description();
    }
    return {};
}

// The id of a process that has ended (and been reaped): nobody has it now.
qint64 endedPid() {
    QProcess process;
    process.start(QStringLiteral("true"), QStringList());
    if (!process.waitForStarted(10000))
        return 0;
    const qint64 pid = process.processId();
    process.waitForFinished(10000);
    return pid;
}

void makeOld(const QString& path, int minutes) {
    const timespec when{::time(nullptr) - minutes * 60, 0};
    const timespec times[2]{when, when};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

// A run folder as a program left it: the tool, the bundle, a read-only answer and the owner file.
QString leaveRunFolder(const QString& name, const QByteArray& owner) {
    const QString folder = qEnvironmentVariable("TEMP") + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    WriteBytesToFile("tool", folder + QStringLiteral("/curl.exe"));
    WriteBytesToFile("bundle", folder + QStringLiteral("/curl-ca-bundle.crt"));
    WriteBytesToFile("answer", folder + QStringLiteral("/message.txt"));
    QFile::setPermissions(folder + QStringLiteral("/message.txt"), QFileDevice::ReadOwner);
    if (!owner.isNull())
        WriteBytesToFile(owner, folder + QStringLiteral("/owner"));
    return folder;
}

} // namespace

class TestToolFiles : public QObject {
    Q_OBJECT
private slots:
    void extractPlacesPrivateCopies() {
        ToolFiles tools;
        QVERIFY(tools.toolPath().isEmpty());
        QVERIFY(tools.outputPath().isEmpty());
        tools.ExtractToolFiles();

        const QString folder = tools.runFolder();
        QCOMPARE(QFileInfo(folder).absolutePath(), QFileInfo(qEnvironmentVariable("TEMP")).absoluteFilePath());
        // Mode 0700: the owner may do everything, nobody else anything.
        const QFileDevice::Permissions mode = QFileInfo(folder).permissions();
        QCOMPARE(mode & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(static_cast<int>(mode & 0x0077), 0);
        QCOMPARE(tools.toolProgram(), folder + QStringLiteral("/curl.exe"));
        QCOMPARE(tools.toolPath(), QLatin1Char('"') + folder + QStringLiteral("/curl.exe\""));
        QCOMPARE(tools.caBundlePath(), folder + QStringLiteral("/curl-ca-bundle.crt"));
        QCOMPARE(tools.outputPath(), folder + QStringLiteral("/message.txt"));

        QCOMPARE(fileBytes(tools.toolProgram()), fileBytes(QStandardPaths::findExecutable(QStringLiteral("curl"))));
        QVERIFY(QFileInfo(tools.toolProgram()).isExecutable());
        QCOMPARE(fileBytes(tools.caBundlePath()), fileBytes(ToolFiles::systemCaBundle()));
        QVERIFY(!QFileInfo::exists(tools.outputPath()));
    }

    void deleteRemovesFilesAndFolder() {
        ToolFiles tools;
        tools.ExtractToolFiles();
        const QString folder = tools.runFolder();
        WriteBytesToFile("answer", tools.outputPath());
        QFile::setPermissions(tools.outputPath(), QFileDevice::ReadOwner); // read-only answer left behind
        tools.DeleteToolFiles();
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/curl.exe")));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/curl-ca-bundle.crt")));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/message.txt")));
        QVERIFY(!QFileInfo::exists(folder));
        tools.DeleteToolFiles(); // again: nothing left, nothing reported
    }

    void destructionRemovesTheRunFolder() {
        QString folder;
        {
            ToolFiles tools;
            tools.ExtractToolFiles();
            folder = tools.runFolder();
            QVERIFY(QFileInfo::exists(folder));
        }
        QVERIFY(!QFileInfo::exists(folder));
    }

    void everyRunGetsItsOwnFolder() {
        ToolFiles first;
        ToolFiles second;
        first.ExtractToolFiles();
        second.ExtractToolFiles();
        QVERIFY(first.runFolder() != second.runFolder());
        QVERIFY(first.outputPath() != second.outputPath());
        const QString earlier = first.runFolder();
        first.ExtractToolFiles(); // a new run replaces the old folder
        QVERIFY(!QFileInfo::exists(earlier));
        QVERIFY(QFileInfo::exists(first.toolProgram()));
    }

    void abandonedRunFoldersAreRemoved_data() {
        QTest::addColumn<QString>("name");  // %1: the id of the owner
        QTest::addColumn<QString>("owner"); // the owner file: "ended", "running", "reused", "elsewhere", ...
        QTest::addColumn<bool>("ownerRunning");
        QTest::addColumn<int>("ageMinutes");
        QTest::addColumn<QString>("extra"); // a further entry: a file, or a folder when it ends in "/"
        QTest::addColumn<bool>("removed");
        const QString run = QStringLiteral("parvenna-run-%1-aB3xY9");
        QTest::newRow("owner ended") << run << "record" << false << 0 << "" << true;
        QTest::newRow("owner running") << run << "record" << true << 600 << "" << false;
        QTest::newRow("id now another process's") << run << "other start" << true << 0 << "" << true;
        QTest::newRow("owner in another namespace") << run << "other namespace" << false << 600 << "" << false;
        QTest::newRow("owner file names another id") << run << "other id" << false << 600 << "" << false;
        QTest::newRow("owner file unreadable as a record") << run << "garbage" << false << 600 << "" << false;
        QTest::newRow("no owner file, owner ended, old") << run << "none" << false << 90 << "" << true;
        QTest::newRow("no owner file, owner ended, recent") << run << "none" << false << 30 << "" << false;
        QTest::newRow("no owner file, owner running") << run << "none" << true << 600 << "" << false;
        QTest::newRow("a file no run makes") << run << "record" << false << 0 << "notes.txt" << false;
        QTest::newRow("a folder inside") << run << "record" << false << 0 << "sub/" << false;
        QTest::newRow("spreadsheet folder") << "parvenna-sheet-%1"
                                            << "record" << false << 600 << "" << false;
        QTest::newRow("other program's folder") << "other-run-%1-aB3xY9"
                                                << "record" << false << 600 << "" << false;
        QTest::newRow("name without id") << "parvenna-run-aB3xY9"
                                         << "none" << false << 600 << "" << false;
        QTest::newRow("name without random part") << "parvenna-run-%1"
                                                  << "record" << false << 600 << "" << false;
    }
    void abandonedRunFoldersAreRemoved() {
        QFETCH(QString, name);
        QFETCH(QString, owner);
        QFETCH(bool, ownerRunning);
        QFETCH(int, ageMinutes);
        QFETCH(QString, extra);
        QFETCH(bool, removed);
        ProcessIdentity identity = ownerRunning ? ProcessIdentity::current() : ProcessIdentity::ofPid(endedPid());
        QVERIFY(identity.pid > 0);
        if (!ownerRunning)
            identity.startTime = "4242"; // what it was while it ran
        if (owner == QLatin1String("other start"))
            identity.startTime = "1";
        if (owner == QLatin1String("other namespace"))
            identity.pidNamespace = "pid:[1]";
        QByteArray record = identity.record();
        if (owner == QLatin1String("other id"))
            record = ProcessIdentity{identity.pid + 1, "4242", identity.pidNamespace}.record();
        if (owner == QLatin1String("garbage"))
            record = "pid " + QByteArray::number(identity.pid) + '\n';
        const QString folder = leaveRunFolder(name.contains(QLatin1String("%1")) ? name.arg(identity.pid) : name,
                                              owner == QLatin1String("none") ? QByteArray() : record);
        if (extra.endsWith(QLatin1Char('/')))
            QDir().mkpath(folder + QLatin1Char('/') + extra);
        else if (!extra.isEmpty())
            WriteBytesToFile("user's", folder + QLatin1Char('/') + extra);
        makeOld(folder, ageMinutes);

        QCOMPARE(ToolFiles::RemoveAbandonedRunFolders(), removed ? 1 : 0);
        QCOMPARE(QFileInfo::exists(folder), !removed);
        if (!removed) {
            // Left whole: not even the run's own files were taken out.
            QVERIFY(QFileInfo::exists(folder + QStringLiteral("/curl.exe")));
            QVERIFY(extra.isEmpty() || QFileInfo::exists(folder + QLatin1Char('/') + extra));
            QDir(folder).removeRecursively();
        }
    }

    void liveRunFolderIsKeptAndSymlinksAreNotFollowed() {
        ToolFiles live;
        live.ExtractToolFiles();
        // A link named like a run folder, to a folder that looks abandoned: neither is touched.
        ProcessIdentity ended = ProcessIdentity::ofPid(endedPid());
        ended.startTime = "4242";
        const QString target = leaveRunFolder(QStringLiteral("target"), ended.record());
        const QString link = qEnvironmentVariable("TEMP") + QStringLiteral("/parvenna-run-%1-aB3xY9").arg(ended.pid);
        QVERIFY(QFile::link(target, link));
        QCOMPARE(ToolFiles::RemoveAbandonedRunFolders(), 0);
        QVERIFY(QFileInfo::exists(live.toolProgram()));
        QVERIFY(QFileInfo::exists(target + QStringLiteral("/curl.exe")));
        QVERIFY(QFileInfo(link).isSymLink());
        QFile::remove(link);
        QDir(target).removeRecursively();
        live.DeleteToolFiles();
        QCOMPARE(QDir(qEnvironmentVariable("TEMP")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void temporaryFolderFallsBackWhenTempIsEmpty() {
        {
            EnvironmentChange change("TEMP", QByteArray());
            QCOMPARE(ToolFiles::temporaryFolder(), QDir::tempPath());
        }
        QCOMPARE(ToolFiles::temporaryFolder(), qEnvironmentVariable("TEMP"));
    }

    void missingCurlIsAClearFailure() {
        ToolFiles tools;
        tools.ExtractToolFiles();
        const QString earlier = tools.runFolder();
        EnvironmentChange change("PATH", "/nonexistent-parvenna");
        const QString failure = failureOf(tools);
        QVERIFY2(failure.startsWith(QStringLiteral("curl was not found")), qPrintable(failure));
        // The paths of the earlier run lead nowhere now: none are offered.
        QVERIFY(tools.toolPath().isEmpty());
        QVERIFY(tools.outputPath().isEmpty());
        tools.DeleteToolFiles();
        QVERIFY(!QFileInfo::exists(earlier));
    }

    void missingBundleIsAClearFailure() {
        EnvironmentChange change("PARVENNA_CA_BUNDLE", "/nonexistent-parvenna/bundle.crt");
        ToolFiles tools;
        const QString failure = failureOf(tools);
        QVERIFY2(failure.contains(QStringLiteral("/nonexistent-parvenna/bundle.crt")), qPrintable(failure));
        QVERIFY(tools.toolPath().isEmpty());
    }

    void unwritableTemporaryFolderIsAFailure() {
        EnvironmentChange change("TEMP", "/nonexistent-parvenna/temp");
        ToolFiles tools;
        QVERIFY(!failureOf(tools).isEmpty());
        QVERIFY(tools.toolPath().isEmpty());
        QVERIFY(tools.runFolder().isEmpty());
    }

    void writeBytesReplacesWholeContent() {
        const QString path = qEnvironmentVariable("TEMP") + QStringLiteral("/write.bin");
        WriteBytesToFile(QByteArray(5000, 'x'), path); // a longer file of another size is there before
        const QByteArray bytes("\x00\x01\xFF\r\n\x1A tail", 11);
        WriteBytesToFile(bytes, path);
        QCOMPARE(fileBytes(path), bytes);
        WriteBytesToFile(QByteArray(), path);
        QCOMPARE(QFileInfo(path).size(), 0);
        QFile::remove(path);
    }

    void writeBytesIntoMissingFolderThrows() {
        try {
            WriteBytesToFile("x", qEnvironmentVariable("TEMP") + QStringLiteral("/missing/folder/file"));
            QFAIL("no error raised");
        } catch (const AppError& error) {
            QCOMPARE(error.description(), QStringLiteral("Path not found"));
        }
    }

    void deleteForcedRemovesReadOnlyAndIgnoresMissing() {
        const QString path = qEnvironmentVariable("TEMP") + QStringLiteral("/read-only.txt");
        WriteBytesToFile("old answer", path);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        DeleteFileForced(path);
        QVERIFY(!QFileInfo::exists(path));
        DeleteFileForced(path);
        DeleteFileForced(QString());
        DeleteFileForced(QStringLiteral("/nonexistent-parvenna/none.txt"));
    }
};

PARVENNA_TEST_MAIN(TestToolFiles)
#include "TestToolFiles.moc"
