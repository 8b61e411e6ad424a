#include "common/AppError.h"
#include "dictionary/ToolFiles.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

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
