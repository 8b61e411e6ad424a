// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DataFiles.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The three places, relative to a copy's root: the program runs in <root>/prefix/bin.
const QString kInstalled = QStringLiteral("prefix/share/parvenna");
const QString kBesideProgram = QStringLiteral("prefix/bin/data");
const QString kOneUp = QStringLiteral("prefix/data");

bool makeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

class TestDataFiles : public QObject {
    Q_OBJECT
private slots:
    void order_data() {
        QTest::addColumn<QStringList>("present"); // folders holding words.txt
        QTest::addColumn<QString>("expected");    // the folder whose file is found
        QTest::newRow("all three: installed first") << QStringList{kInstalled, kBesideProgram, kOneUp} << kInstalled;
        QTest::newRow("build folder's program") << QStringList{kBesideProgram, kOneUp} << kBesideProgram;
        QTest::newRow("build folder's tests") << QStringList{kOneUp} << kOneUp;
        QTest::newRow("installed and one up") << QStringList{kInstalled, kOneUp} << kInstalled;
        QTest::newRow("none: the installed place") << QStringList{} << kInstalled;
    }
    void order() {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("prefix/bin")));
        for (const QString& folder : present)
            QVERIFY(makeFile(root.filePath(folder + QStringLiteral("/words.txt"))));
        const QString canonicalRoot = QFileInfo(root.path()).canonicalFilePath();
        QCOMPARE(DataFiles::path(QStringLiteral("words.txt"), root.filePath(QStringLiteral("prefix/bin"))),
                 canonicalRoot + QLatin1Char('/') + expected + QStringLiteral("/words.txt"));
    }

    // A folder of that name is not the file: the search goes on.
    void folderIsNotAFile() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(kInstalled + QStringLiteral("/words.txt")));
        QVERIFY(makeFile(root.filePath(kOneUp + QStringLiteral("/words.txt"))));
        QCOMPARE(DataFiles::path(QStringLiteral("words.txt"), root.filePath(QStringLiteral("prefix/bin"))),
                 QFileInfo(root.filePath(kOneUp + QStringLiteral("/words.txt"))).canonicalFilePath());
    }

    // This test runs in the build folder's tests folder: the build's copy is found, never the source tree's.
    void buildCopyFound() {
        const QString found = DataFiles::path(QStringLiteral("words.txt"));
        QCOMPARE(found, QFileInfo(QStringLiteral(PARVENNA_BINARY_DIR "/data/words.txt")).canonicalFilePath());
    }
};

PARVENNA_TEST_MAIN(TestDataFiles)
#include "TestDataFiles.moc"
