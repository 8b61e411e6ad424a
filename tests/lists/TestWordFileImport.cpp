// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/WordFileImport.h"

#include "ListsTestWindow.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QString kErrorTitle = QStringLiteral("Application Error");

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString several(const QString& folder, const QStringList& names) {
    return (QStringList{folder} + names).join(QChar(0));
}

} // namespace

class TestWordFileImport : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // Imports a file with these bytes through the button and returns the rows it added.
    QStringList importBytes(const QByteArray& bytes) {
        const QString path = writeFile(m_dir, QStringLiteral("words.txt"), bytes);
        ListsTestWindow w;
        w.dialogs().fileAnswers << path;
        WordFileImport(w.window).PushButton3_Click();
        if (!w.dialogs().boxes.isEmpty())
            qWarning() << "boxes:" << w.dialogs().texts();
        return w.dialogs().boxes.isEmpty() ? w.words.texts() : QStringList{QStringLiteral("<box shown>")};
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void wordsOfAFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("comma and bang") << QByteArray("Hello, world!\r\n") << QStringList{"Hello", "world"};
        QTest::newRow("quoted two words") << QByteArray("\"New Hampshire\"\r\n") << QStringList{"New", "Hampshire"};
        QTest::newRow("hyphen") << QByteArray("ice-cream") << QStringList{"ice", "cream"};
        QTest::newRow("apostrophe") << QByteArray("don't") << QStringList{"don", "t"};
        QTest::newRow("digits stay") << QByteArray("route 66\r\n") << QStringList{"route", "66"};
        QTest::newRow("tabs") << QByteArray("one\ttwo\t\tthree") << QStringList{"one", "two", "three"};
        QTest::newRow("CR LF lines") << QByteArray("a b\r\nc\r\n\r\nd\r\n") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("LF lines") << QByteArray("a b\nc\n\nd\n") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("CR lines") << QByteArray("a b\rc\r\rd\r") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("no line end at the end") << QByteArray("last word") << QStringList{"last", "word"};
        QTest::newRow("blank lines") << QByteArray("\r\n\r\n   \r\n\n\t\r\n") << QStringList{};
        QTest::newRow("punctuation only") << QByteArray("!?.,;:\r\n--- ''' \"\"\r\n()[]{}<>") << QStringList{};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("curly quotes, dashes, ellipsis, no-break space")
            << QByteArray("\xE2\x80\x9C"
                          "Hello,\xE2\x80\x9D she said\xE2\x80\x94quietly\xE2\x80\xA6 a\xC2\xA0"
                          "b \xE2\x80\x98ok\xE2\x80\x99")
            << QStringList{"Hello", "she", "said", "quietly", "a", "b", "ok"};
        QTest::newRow("accents stay") << QByteArray("caf\xE9 na\xEFve") << QStringList{"café", "naïve"};
        QTest::newRow("duplicates all stay") << QByteArray("baby baby\r\nbaby") << QStringList{"baby", "baby", "baby"};
        QTest::newRow("NUL bytes separate") << QByteArray("ab\0cd\0\0", 7) << QStringList{"ab", "cd"};
        // Notepad's "Unicode": UTF-16 little-endian with a byte-order mark.
        QTest::newRow("UTF-16 with mark") << QByteArray("\xFF\xFE"
                                                        "c\0a\0f\0\xE9\0\r\0\n\0t\0e\0a\0",
                                                        20)
                                          << QStringList{"café", "tea"};
        QTest::newRow("one stray byte in UTF-8")
            << QByteArray("caf\xC3\xA9 na\xC3\xAFve\r\nr\xE9sum\xE9") << QStringList{"café", "naïve", "résumé"};
        static const char kBinary[] = "\x7F"
                                      "ELF\x02\x01\x01\0\0\0\xFF\xFEz";
        QTest::newRow("binary") << QByteArray(kBinary, sizeof kBinary - 1)
                                << QStringList{QString::fromLatin1("\x7F"
                                                                   "ELF\x02\x01\x01"),
                                               "ÿþz"};
    }
    void wordsOfAFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QCOMPARE(importBytes(bytes), rows);
    }

    void appendsAfterExistingRowsAndTwice() {
        const QString path = writeFile(m_dir, QStringLiteral("two.txt"), "Hello, world!\r\n");
        ListsTestWindow w;
        w.words.addRows({"kept"});
        w.dialogs().fileAnswers << path << path;
        WordFileImport import(w.window);
        import.PushButton3_Click();
        import.PushButton3_Click();
        QCOMPARE(w.words.texts(), (QStringList{"kept", "Hello", "world", "Hello", "world"}));
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default,
                                                         MousePointer::Hourglass, MousePointer::Default}));
        QCOMPARE(w.results.rowCount(), 0);
    }

    void theOpenDialog() {
        ListsTestWindow w;
        w.window.commonDialog().fileName = QStringLiteral("left over from a save.txt");
        WordFileImport(w.window).PushButton3_Click(); // no answer queued: Cancel
        QCOMPARE(w.dialogs().fileRequests.size(), 1);
        const auto request = w.dialogs().fileRequests.first();
        QVERIFY(!request.save);
        QCOMPARE(request.title, QStringLiteral("Load List(s) - Hold Ctrl to select multiple list files"));
        QCOMPARE(request.filter, QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"));
        QCOMPARE(request.flags, 0x280201);
        QCOMPARE(request.shownName, QString());
        // Cancel changes nothing and shows nothing, the pointer included.
        QVERIFY(w.dialogs().boxes.isEmpty());
        QVERIFY(w.pointer.changes.isEmpty());
        QCOMPARE(w.words.rowCount(), 0);
    }

    void ignoredWhileBusy() {
        ListsTestWindow w;
        w.setBusy(true);
        w.pointer.changes.clear();
        w.dialogs().fileAnswers << writeFile(m_dir, QStringLiteral("busy.txt"), "word");
        WordFileImport(w.window).PushButton3_Click();
        QVERIFY(w.dialogs().fileRequests.isEmpty());
        QCOMPARE(w.words.rowCount(), 0);
        QVERIFY(w.pointer.changes.isEmpty());
    }

    void severalFilesWithAMissingOne() {
        writeFile(m_dir, QStringLiteral("first.txt"), "alpha beta\r\n");
        writeFile(m_dir, QStringLiteral("third.txt"), "gamma\r\n");
        ListsTestWindow w;
        w.window.setApplicationTitle(QStringLiteral("Parvenna Title"));
        w.dialogs().fileAnswers << several(m_dir.path(), {"first.txt", "typed-but-missing.txt", "third.txt"});
        WordFileImport(w.window).PushButton3_Click();
        QCOMPARE(w.words.texts(), (QStringList{"alpha", "beta", "gamma"}));
        QCOMPARE(w.dialogs().texts(), QStringList{"File not found"});
        QCOMPARE(w.dialogs().boxes.first().title, QStringLiteral("Parvenna Title"));
        QCOMPARE(w.dialogs().boxes.first().icon, MessageIcon::None);
        QCOMPARE(w.pointer.pointer(), MousePointer::Default);
    }

    void oneMissingFile() {
        ListsTestWindow w;
        w.dialogs().fileAnswers << m_dir.filePath(QStringLiteral("nowhere.txt"));
        WordFileImport(w.window).PushButton3_Click();
        QCOMPARE(w.dialogs().texts(), QStringList{"File not found"});
        QCOMPARE(w.words.rowCount(), 0);
        QCOMPARE(w.pointer.pointer(), MousePointer::Default);
    }

    void folderEndingInASeparator() {
        // Like a root folder: the folder part already ends with the separator.
        writeFile(m_dir, QStringLiteral("root-a.txt"), "one");
        writeFile(m_dir, QStringLiteral("root-b.txt"), "two");
        ListsTestWindow w;
        w.dialogs().fileAnswers << several(m_dir.path() + QLatin1Char('/'), {"root-a.txt", "root-b.txt"});
        WordFileImport(w.window).PushButton3_Click();
        QCOMPARE(w.words.texts(), (QStringList{"one", "two"}));
        QVERIFY(w.dialogs().boxes.isEmpty());
        QCOMPARE(WordFileImport::RemoveDoubleSeparators(WordFileImport::JoinFolderAndName("/", "a.txt")),
                 QStringLiteral("/a.txt"));
        QCOMPARE(WordFileImport::RemoveDoubleSeparators("/home/u//x.txt"), QStringLiteral("/home/u/x.txt"));
        QCOMPARE(WordFileImport::RemoveDoubleSeparators("/home/a\\\\b.txt"), QStringLiteral("/home/a\\\\b.txt"));
    }

    void removeDoubleBackslashes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("result");
        QTest::newRow("nothing doubled") << R"(C:\words\a.txt)"
                                         << R"(C:\words\a.txt)";
        QTest::newRow("root folder join") << R"(C:\\a.txt)"
                                          << R"(C:\a.txt)";
        QTest::newRow("three become two") << R"(C:\x\\\a.txt)"
                                          << R"(C:\x\\a.txt)";
        QTest::newRow("four become two") << R"(C:\x\\\\a.txt)"
                                         << R"(C:\x\\a.txt)";
        QTest::newRow("network path") << R"(\\server\share\\a.txt)"
                                      << R"(\\server\share\a.txt)";
        QTest::newRow("long leading run") << R"(\\\\\server\a.txt)"
                                          << R"(\\server\a.txt)";
        QTest::newRow("one leading becomes two") << R"(\x\\a.txt)"
                                                 << R"(\\x\a.txt)";
        QTest::newRow("only backslashes") << R"(\\\)"
                                          << R"(\\)";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("slashes untouched") << "/home//a.txt"
                                           << "/home//a.txt";
    }
    void removeDoubleBackslashes() {
        QFETCH(QString, path);
        QFETCH(QString, result);
        QCOMPARE(WordFileImport::RemoveDoubleBackslashes(path), result);
    }

    void unreadableFilesAreReportedAndTheNextIsRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("no permission") << "no permission";
        QTest::newRow("read error") << "read error";
        QTest::newRow("named pipe") << "named pipe";
    }
    void unreadableFilesAreReportedAndTheNextIsRead() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString bad = dir.filePath(QStringLiteral("bad"));
        QString expected;
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(bad));
            expected = QStringLiteral("is a folder");
        } else if (kind == QLatin1String("no permission")) {
            writeFile(dir, QStringLiteral("bad"), "secret");
            QVERIFY(::chmod(QFile::encodeName(bad).constData(), 0) == 0);
            QFile probe(bad);
            if (probe.open(QIODevice::ReadOnly))
                QSKIP("this user reads files without permission");
            expected = QStringLiteral("Permission denied");
        } else if (kind == QLatin1String("read error")) {
            // Linux refuses to read a process's own memory at address 0.
            bad = QStringLiteral("/proc/self/mem");
            expected = QStringLiteral("Device I/O error");
        } else {
            QVERIFY(::mkfifo(QFile::encodeName(bad).constData(), 0600) == 0);
            expected = QStringLiteral("is not a regular file");
        }
        // Should the pipe ever be opened, a writer that comes and goes ends the wait.
        std::jthread writer([&](std::stop_token stop) {
            while (kind == QLatin1String("named pipe") && !stop.stop_requested()) {
                const int fd = ::open(QFile::encodeName(bad).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ::close(fd);
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        const QString good = writeFile(dir, QStringLiteral("good.txt"), "fine words");

        for (const bool one : {true, false}) {
            ListsTestWindow w;
            w.dialogs().fileAnswers << (one ? bad
                                            : several(QFileInfo(bad).absolutePath(), {QFileInfo(bad).fileName()}));
            w.dialogs().fileAnswers << good;
            WordFileImport import(w.window);
            import.PushButton3_Click();
            import.PushButton3_Click();
            const QStringList reports = w.dialogs().errorReports();
            QCOMPARE(reports.size(), 1);
            QVERIFY2(reports.first().contains(expected), qPrintable(reports.first()));
            const QString at = one ? QStringLiteral("at line 124") : QStringLiteral("at line 142");
            QVERIFY2(reports.first().contains(QStringLiteral(".Form1.PushButton3_Click ") + at),
                     qPrintable(reports.first()));
            QCOMPARE(w.dialogs().boxes.size(), 1);
            QCOMPARE(w.words.texts(), (QStringList{"fine", "words"}));
            QCOMPARE(w.pointer.pointer(), MousePointer::Default);
        }
    }

    void longLinesAndManySeparators() {
        QByteArray separators(100000, ',');
        separators += "end";
        QCOMPARE(importBytes("start" + separators), (QStringList{"start", "end"}));
        const QByteArray longWord(1 << 20, 'x');
        QCOMPARE(importBytes("a " + longWord + " b"), (QStringList{"a", QString(longWord), "b"}));
    }

    void fiftyMegabytes() {
        // 50 MB of lines of numbered words; the row count and the words at both ends and in the middle
        // are checked.
        QByteArray line;
        for (int i = 0; i < 10; ++i)
            line += "syllable" + QByteArray::number(i) + (i % 3 ? ", " : " - ");
        line += "\r\n";
        const qsizetype lines = 50 * 1000 * 1000 / line.size();
        QByteArray bytes;
        bytes.reserve(lines * line.size());
        for (qsizetype i = 0; i < lines; ++i)
            bytes += line;
        const QString path = writeFile(m_dir, QStringLiteral("fifty.txt"), bytes);
        bytes.clear();
        ListsTestWindow w;
        w.words.addRows({"first"});
        w.dialogs().fileAnswers << path;
        QElapsedTimer timer;
        timer.start();
        WordFileImport(w.window).PushButton3_Click();
        const qint64 ms = timer.elapsed();
        qInfo("50 MB, %lld rows imported in %lld ms", static_cast<long long>(w.words.rowCount()),
              static_cast<long long>(ms));
        QCOMPARE(w.words.rowCount(), 1 + 10 * lines);
        QCOMPARE(w.words.text(2), QStringLiteral("syllable0"));
        QCOMPARE(w.words.text(1 + 5 * lines + 4), QStringLiteral("syllable3"));
        QCOMPARE(w.words.text(w.words.rowCount()), QStringLiteral("syllable9"));
        QVERIFY(w.dialogs().boxes.isEmpty());
        // A linear import takes a few seconds at most even in a debug build; growth by the square would not.
        QVERIFY2(ms < 60000, qPrintable(QString::number(ms)));
    }
};

PARVENNA_TEST_MAIN(TestWordFileImport)
#include "TestWordFileImport.moc"
