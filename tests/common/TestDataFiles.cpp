// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"
#include "common/DataFiles.h"
#include "common/DataManifest.h"

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

const QByteArray kData = "# words\nbaby|ba*by\ndiamond|di*a*mond\n";

// An installed copy under root whose words.txt is damaged as asked; the manifest made from the good data.
void install(const QString& root, const QString& damage) {
    const QString folder = root + QLatin1Char('/') + kInstalled;
    QDir().mkpath(folder);
    QDir().mkpath(root + QStringLiteral("/prefix/bin"));
    QByteArray bytes = kData;
    if (damage == QLatin1String("flipped byte"))
        bytes[12] = char(bytes[12] ^ 0x20);
    else if (damage == QLatin1String("cut at a line end"))
        bytes.truncate(bytes.indexOf('\n', 10) + 1);
    else if (damage == QLatin1String("empty"))
        bytes.clear();
    if (damage == QLatin1String("a folder"))
        QDir().mkpath(folder + QStringLiteral("/words.txt"));
    else if (damage != QLatin1String("missing")) {
        QFile file(folder + QStringLiteral("/words.txt"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QFile manifest(folder + QLatin1Char('/') + DataManifest::kFileName);
    if (damage != QLatin1String("no manifest") && manifest.open(QIODevice::WriteOnly))
        manifest.write("# made by the build\n" + DataManifest::lineFor(QStringLiteral("words.txt"), kData) + '\n');
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

    // A data file that is not what the build made is refused with one message that names it and asks to reinstall.
    void damagedDataRefused_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("named"); // the message names this (below the copy's root), then what is wrong
        QTest::newRow("intact") << ""
                                << "";
        QTest::newRow("flipped byte") << "flipped byte" << kInstalled + "/words.txt is damaged: its content";
        QTest::newRow("cut at a line end")
            << "cut at a line end"
            << kInstalled + "/words.txt is damaged: it holds 19 bytes, where the build made 37 bytes.";
        QTest::newRow("empty") << "empty" << kInstalled + "/words.txt is empty.";
        QTest::newRow("a folder") << "a folder" << kInstalled + "/words.txt is a folder, not a file.";
        QTest::newRow("no manifest") << "no manifest" << kInstalled + "/words.txt cannot be checked: its manifest";
        QTest::newRow("missing") << "missing"
                                 << "words.txt was not found in any of the folders searched, in order: ROOT/" +
                                        kInstalled + ", ROOT/prefix/bin/data, ROOT/prefix/data.";
    }
    void damagedDataRefused() {
        QFETCH(QString, damage);
        QFETCH(QString, named);
        QTemporaryDir root;
        install(root.path(), damage);
        const QString program = root.filePath(QStringLiteral("prefix/bin"));
        try {
            const DataFiles::Checked checked = DataFiles::readChecked(QStringLiteral("words.txt"), program);
            QVERIFY2(named.isEmpty(), "a damaged file was read");
            QCOMPARE(checked.bytes, kData);
        } catch (const AppError& failure) {
            QVERIFY2(!named.isEmpty(), qPrintable(failure.description()));
            const QString expected = named.replace(QStringLiteral("ROOT"), root.path());
            QVERIFY2(failure.description().contains(expected), qPrintable(failure.description()));
            QVERIFY(failure.description().endsWith(QStringLiteral(" Please reinstall Parvenna.")));
        }
    }

    // What the build made passes its own check: every data file with the manifest the build wrote beside them.
    void buildDataAccepted() {
        const QStringList names = QDir(QStringLiteral(PARVENNA_BINARY_DIR "/data"))
                                      .entryList({QStringLiteral("*.txt"), QStringLiteral("*.dat")}, QDir::Files);
        QVERIFY(names.contains(QStringLiteral("dictionary.txt")));
        for (const QString& name : names)
            QVERIFY(!DataFiles::readChecked(name).bytes.isEmpty());
    }

    // This test runs in the build folder's tests folder: the build's copy is found, never the source tree's.
    void buildCopyFound() {
        const QString found = DataFiles::path(QStringLiteral("words.txt"));
        QCOMPARE(found, QFileInfo(QStringLiteral(PARVENNA_BINARY_DIR "/data/words.txt")).canonicalFilePath());
    }
};

PARVENNA_TEST_MAIN(TestDataFiles)
#include "TestDataFiles.moc"
