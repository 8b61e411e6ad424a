// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputTestWindow.h"
#include "TestEnvironment.h"
#include "output/ListviewFileWriter.h"
#include "output/ProgressDisplay.h"
#include "output/SaveTarget.h"
#include "output/TextExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// Every value and text the export shows, in order.
class RecordingDisplay : public ProgressDisplay {
public:
    void setValue(double percent) override {
        events << QStringLiteral("v") + QString::number(percent, 'f', 2);
        if (onValue)
            onValue(percent);
    }
    void setText(const QString& text) override { events << QStringLiteral("t") + text; }
    QStringList events;
    std::function<void(double)> onValue;
};

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray spaces(int count) {
    return QByteArray(count, ' ');
}

const QByteArray kResultsHeader = "Results\tSyllables Count\t\r\n";

// A 64 KB memory file system mounted for the life of this object (needs the right to mount, as root has).
class SmallFileSystem {
public:
    SmallFileSystem() : m_folder(qEnvironmentVariable("TEMP") + QStringLiteral("/small-XXXXXX")) {
        if (!m_folder.isValid()) {
            m_error = QStringLiteral("no folder to mount on");
            return;
        }
        if (::mount("tmpfs", QFile::encodeName(m_folder.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=64k,mode=0700") != 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        m_mounted = true;
    }
    ~SmallFileSystem() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder.path()).constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    const QString& error() const { return m_error; }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }
    QStringList entries() const {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    // Writes one file until the file system has no room left; returns false when it never ran full.
    bool fill(const QString& name) const {
        const int fd = ::open(QFile::encodeName(filePath(name)).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(1024, 'f');
        bool full = false;
        for (int i = 0; i < 1024 && !full; ++i) // 1 MB at most: a 64 KB file system runs full long before
            full = ::write(fd, block.constData(), block.size()) < 0 && errno == ENOSPC;
        for (int i = 0; i < 1024 && full; ++i) // the last partial block, byte by byte
            if (::write(fd, "f", 1) < 0)
                break;
        ::close(fd);
        return full;
    }

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
    QString m_error;
};

} // namespace

class TestTextExport : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Writes a list with the given titles and rows (see fillList) without a progress display.
    QByteArray exportList(const QStringList& titles, const QStringList& rows, int* reports = nullptr) {
        ListControl list;
        setUpList(list, titles, rows);
        FakeDialogs dialogs;
        const QString target = path(QStringLiteral("list.txt"));
        TextExport::SaveListviewProperlySpaced(list, target, nullptr, dialogs);
        if (reports)
            *reports = static_cast<int>(dialogs.boxes.size());
        return readFile(target);
    }

private slots:
    void fileFormat_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("expected");
        const QStringList results{"Results", "Syllables Count"};
        // A checked row of 7 and 1 characters; an unchecked row of 12 characters widens column 1.
        QTest::newRow("worked example") << results << QStringList{"+abcdefg|1", "abcdefghijkl|2"}
                                        << "Results" + spaces(5) + "\tSyllables Count\t\r\n" + "abcdefg" + spaces(5) +
                                               "\t1" + spaces(14) + "\t\r\n";
        QTest::newRow("titles widen, get no padding") << results << QStringList{"+ba\u00b7by|2"}
                                                      << kResultsHeader +
                                                             "ba\xc2\xb7"
                                                             "by" +
                                                             spaces(2) + "\t2" + spaces(14) + "\t\r\n";
        QTest::newRow("not found row widens column 1, gives no line")
            << results << QStringList{"+ba\u00b7by|2", "zyzzyvas-xyz|Not Found", "+cat|1"}
            << "Results" + spaces(5) + "\tSyllables Count\t\r\n" +
                   "ba\xc2\xb7"
                   "by" +
                   spaces(7) + "\t2" + spaces(14) + "\t\r\n" + "cat" + spaces(9) + "\t1" + spaces(14) + "\t\r\n";
        QTest::newRow("none checked: header alone") << results << QStringList{"a|1", "b|2"} << kResultsHeader;
        QTest::newRow("empty list: header alone") << results << QStringList{} << kResultsHeader;
        QTest::newRow("single column") << QStringList{"Words"} << QStringList{"+ab", "+abcdefgh", "xy"}
                                       << QByteArray("Words   \t\r\nab      \t\r\nabcdefgh\t\r\n");
        QTest::newRow("last cell empty keeps its padding")
            << results << QStringList{"+ab|"} << kResultsHeader + "ab" + spaces(5) + "\t" + spaces(15) + "\t\r\n";
        QTest::newRow("sub-item never set reads empty")
            << results << QStringList{"+ab"} << kResultsHeader + "ab" + spaces(5) + "\t" + spaces(15) + "\t\r\n";
        QTest::newRow("tab, CR LF and non-Latin kept as they are")
            << QStringList{"A", "B"} << QStringList{"+a\tb|\u0441\u043b\u043e\u0433", "+x\r\ny|1"}
            << QByteArray("A   \tB   \t\r\na\tb \t\xd1\x81\xd0\xbb\xd0\xbe\xd0\xb3\t\r\nx\r\ny\t1   \t\r\n");
        // U+1D11E is two UTF-16 code units wide, so it pads like two characters.
        QTest::newRow("widths count UTF-16 code units") << QStringList{"A"} << QStringList{"+\U0001D11E", "+abc"}
                                                        << QByteArray("A  \t\r\n\xf0\x9d\x84\x9e \t\r\nabc\t\r\n");
        QTest::newRow("formula-like texts are plain text") << QStringList{"A", "B"} << QStringList{"+=1+1|@x", "+-2|+3"}
                                                           << QByteArray("A   \tB \t\r\n=1+1\t@x\t\r\n-2  \t+3\t\r\n");
    }
    void fileFormat() {
        QFETCH(QStringList, titles);
        QFETCH(QStringList, rows);
        QFETCH(QByteArray, expected);
        int reports = -1;
        QCOMPARE(exportList(titles, rows, &reports), expected);
        QCOMPARE(reports, 0);
    }

    void longCell() {
        const QString longText(10000, QLatin1Char('x'));
        const QByteArray bytes = exportList({"Results", "Syllables Count"}, {"+" + longText + "|3", "+ab|1"});
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 4); // three lines and the empty rest after the last LF
        QCOMPARE(lines[0], "Results" + spaces(9993) + "\tSyllables Count\t\r");
        QCOMPARE(lines[1], longText.toLatin1() + "\t3" + spaces(14) + "\t\r");
        QCOMPARE(lines[2], "ab" + spaces(9998) + "\t1" + spaces(14) + "\t\r");
    }

    void handlerDialogAndPointer() {
        OutputTestWindow w;
        fillList(w.results, {"+baby|2"});
        const QString target = path(QStringLiteral("no-extension"));
        w.window.commonDialog().fileName = QStringLiteral("/somewhere/words.txt"); // left by the import
        w.dialogs().fileAnswers.enqueue(target);
        TextExport(w.window).PushButton4_Click();

        QCOMPARE(w.dialogs().fileRequests.size(), 1);
        const FakeDialogs::FileRequest& request = w.dialogs().fileRequests.first();
        QVERIFY(request.save);
        QCOMPARE(request.title, QStringLiteral("Save"));
        QCOMPARE(request.filter, QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"));
        QCOMPARE(request.flags, 0x280201);
        QCOMPARE(request.shownName, QStringLiteral("/somewhere")); // the imported file's folder, not the file
        QCOMPARE(readFile(target), kResultsHeader + "baby" + spaces(3) + "\t2" + spaces(14) + "\t\r\n");
        QVERIFY(!QFile::exists(target + QStringLiteral(".txt")));
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
        QVERIFY(w.dialogs().boxes.isEmpty()); // no question for a new file, no completion message
        QCOMPARE(w.progress.progress(), 0.0);
        QCOMPARE(w.progress.barText(), QStringLiteral("Progress Bar"));

        // The next save opens with the name just chosen, and replaces the file only after Yes.
        fillList(w.results, {"+cat|1"});
        w.dialogs().fileAnswers.enqueue(target);
        w.dialogs().questionAnswers.enqueue(true);
        TextExport(w.window).PushButton4_Click();
        QCOMPARE(w.dialogs().fileRequests.last().shownName, target);
        QCOMPARE(w.dialogs().texts(), QStringList{"no-extension already exists.\nDo you want to replace it?"});
        QCOMPARE(w.dialogs().boxes.first().icon, MessageIcon::Question);
        QCOMPARE(readFile(target), kResultsHeader + "baby" + spaces(3) + "\t2" + spaces(14) + "\t\r\n" + "cat" +
                                       spaces(4) + "\t1" + spaces(14) + "\t\r\n");
    }

    // After "Load Words From File" the save dialog does not offer the word file, and replacing any existing
    // file asks first: No (or closing the question) leaves it byte for byte and writes nothing.
    void neverReplacedWithoutAsking_data() {
        QTest::addColumn<QString>("imported"); // what the open dialog left in the shared dialog
        QTest::addColumn<QString>("offered");
        QTest::newRow("one file") << "%1/prose.txt"
                                  << "%1";
        QTest::newRow("several files") << QStringLiteral("%1") + QChar(0) + "a.txt" + QChar(0) + "b.txt"
                                       << "%1";
    }
    void neverReplacedWithoutAsking() {
        QFETCH(QString, imported);
        QFETCH(QString, offered);
        QTemporaryDir dir;
        const QString prose = dir.filePath(QStringLiteral("prose.txt"));
        const QByteArray text = "The user's own text.\r\nNot results.\n";
        writeFile(prose, text);
        OutputTestWindow w;
        fillList(w.results, {"+baby|2"});
        w.window.commonDialog().fileName = imported.arg(dir.path());
        w.dialogs().fileAnswers.enqueue(prose); // the user picks the word file anyway
        w.dialogs().questionAnswers.enqueue(false);
        TextExport(w.window).PushButton4_Click();
        QCOMPARE(w.dialogs().fileRequests.first().shownName, offered.arg(dir.path()));
        QCOMPARE(w.dialogs().texts(), QStringList{SaveTarget::replaceQuestion(prose)});
        QCOMPARE(readFile(prose), text);
        QVERIFY(w.pointer.changes.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"prose.txt"});
    }

    void handlerCancelAndBusy() {
        OutputTestWindow w;
        fillList(w.results, {"+baby|2"});
        TextExport(w.window).PushButton4_Click(); // no answer queued: the user cancels
        QCOMPARE(w.dialogs().fileRequests.size(), 1);
        QVERIFY(w.pointer.changes.isEmpty());
        QVERIFY(w.dialogs().boxes.isEmpty());
        QVERIFY(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("cancel")).isEmpty());

        w.pointer.setPointer(MousePointer::Hourglass);
        w.dialogs().fileAnswers.enqueue(path(QStringLiteral("busy.txt")));
        TextExport(w.window).PushButton4_Click();
        QCOMPARE(w.dialogs().fileRequests.size(), 1); // ignored while busy: no dialog
        QVERIFY(!QFile::exists(path(QStringLiteral("busy.txt"))));
    }

    void progressSequence() {
        ListControl list;
        setUpList(list, {"Results", "Syllables Count"}, {"+baby|2", "zzz|Not Found", "+cat|1"});
        RecordingDisplay display;
        FakeDialogs dialogs;
        const QString target = path(QStringLiteral("progress.txt"));
        TextExport::SaveListviewProperlySpaced(list, target, &display, dialogs);
        const QString writing = QStringLiteral("tWriting file: progress.txt");
        QCOMPARE(display.events, (QStringList{"v1.00", writing, "v10.00", writing, "v20.00", writing, "v33.33",
                                              "v100.00", "v100.00", "tDone.", "v0.00", "tProgress Bar"}));
        const QByteArray withProgress = readFile(target);
        TextExport::SaveListviewProperlySpaced(list, target, nullptr, dialogs);
        QCOMPARE(readFile(target), withProgress); // the same file without a progress display
        QVERIFY(dialogs.boxes.isEmpty());
    }

    // 2500 rows: R div 2000 = 1 lifts every value; the row number joins the text at rows 1000 and 2000.
    void progressOfLongList() {
        ListControl list;
        list.addColumn(QStringLiteral("Results"));
        list.addRows(QStringList(2500, QStringLiteral("word")));
        for (int r = 1; r <= 2500; ++r)
            list.setChecked(r, true);
        RecordingDisplay display;
        FakeDialogs dialogs;
        TextExport::SaveListviewProperlySpaced(list, path(QStringLiteral("long.txt")), &display, dialogs);
        const QStringList counted = display.events.filter(QStringLiteral(" ("));
        QCOMPARE(counted, (QStringList{"tWriting file: long.txt (1000)", "tWriting file: long.txt (2000)"}));
        const qsizetype done = display.events.indexOf(QStringLiteral("tDone."));
        QCOMPARE(display.events.at(done - 2), QStringLiteral("v100.04")); // (1 + 2500) / 2500 * 100
        QCOMPARE(display.events.at(6), QStringLiteral("v0.08"));          // row 1: (1 + 1) / 2500 * 100
        QCOMPARE(readFile(path(QStringLiteral("long.txt"))).count('\n'), 2501);
    }

    void failingTarget_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description");
        QTest::newRow("missing folder") << "missing"
                                        << "Path not found";
        QTest::newRow("read-only file") << "readonly"
                                        << "Permission denied";
        QTest::newRow("folder") << "folder"
                                << "Path/File access error";
    }
    void failingTarget() {
        QFETCH(QString, kind);
        QFETCH(QString, description);
        QTemporaryDir dir;
        QString target = dir.filePath(QStringLiteral("old.txt"));
        const QByteArray old = "old content\r\n";
        if (kind == QStringLiteral("missing")) {
            target = dir.filePath(QStringLiteral("missing/out.txt"));
        } else if (kind == QStringLiteral("readonly")) {
            writeFile(target, old);
            QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        } else {
            target = dir.filePath(QStringLiteral("folder.txt"));
            QVERIFY(QDir().mkpath(target));
        }

        OutputTestWindow w;
        fillList(w.results, {"+baby|2", "+cat|1"});
        w.dialogs().fileAnswers.enqueue(target);
        w.dialogs().questionAnswers.enqueue(true); // replace the existing file
        TextExport(w.window).PushButton4_Click();

        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(reports.size(), 1);
        // The report names the file the user chose.
        QVERIFY2(reports.first().startsWith(description + ": " + target + "\r\n"), qPrintable(reports.first()));
        QVERIFY(reports.first().contains(QStringLiteral(".Main.SaveListviewProperlySpaced at line 156\r\r")));
        QCOMPARE(w.dialogs().boxes.size(), kind == QStringLiteral("readonly") ? 2 : 1); // the question, the report
        if (kind == QStringLiteral("readonly"))
            QCOMPARE(readFile(target), old);
        else if (kind == QStringLiteral("folder"))
            QVERIFY(QFileInfo(target).isDir());
        else
            QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), kind == "readonly" ? 1 : 0);
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
        QCOMPARE(w.progress.barText(), QStringLiteral("Progress Bar"));
        QCOMPARE(w.progress.progress(), 0.0);
    }

    // Any failed write, sync or rename is one report; the old file stays exactly as it was and nothing is left
    // beside it. "Done." is shown only once everything is on the disk.
    void failingSystemCalls_data() {
        QTest::addColumn<QString>("call"); // the call that fails
        QTest::addColumn<int>("failAt");   // its n-th use fails (a write before it may be cut short)
        QTest::addColumn<int>("error");    // errno of the failure
        QTest::addColumn<int>("rows");     // checked rows of 400 characters
        QTest::addColumn<int>("step");     // where the report points
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("done"); // "Done." was shown
        QTest::newRow("the only write, disk full") << "write" << 1 << ENOSPC << 3 << 222 << "Disk full" << false;
        QTest::newRow("header alone, disk full") << "write" << 1 << ENOSPC << 0 << 170 << "Disk full" << false;
        QTest::newRow("a middle write") << "write" << 2 << EIO << 200 << 222 << "Device I/O error" << false;
        QTest::newRow("cut short, then full") << "short write" << 2 << ENOSPC << 3 << 222 << "Disk full" << false;
        QTest::newRow("quota exceeded") << "write" << 1 << EDQUOT << 3 << 222 << "Disk full" << false;
        QTest::newRow("sync") << "fsync" << 1 << EIO << 3 << 222 << "Device I/O error" << false;
        QTest::newRow("sync, disk full") << "fsync" << 1 << ENOSPC << 3 << 222 << "Disk full" << false;
        QTest::newRow("rename") << "rename" << 1 << EACCES << 3 << 232 << "Permission denied" << true;
    }
    void failingSystemCalls() {
        QFETCH(QString, call);
        QFETCH(int, failAt);
        QFETCH(int, error);
        QFETCH(int, rows);
        QFETCH(int, step);
        QFETCH(QString, description);
        QFETCH(bool, done);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("old.txt"));
        writeFile(target, "previous");
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

        int uses = 0;
        AtomicFile::SystemCalls calls = AtomicFile::SystemCalls::real();
        const auto fails = [&](const QString& name) {
            return (name == call || call.endsWith(name)) && ++uses >= failAt;
        };
        const auto realWrite = calls.write;
        calls.write = [&](int fd, const void* data, size_t size) -> ssize_t {
            if (call == QStringLiteral("short write") && uses == 0) {
                ++uses;
                return realWrite(fd, data, size / 2);
            }
            if (fails(QStringLiteral("write"))) {
                errno = error;
                return -1;
            }
            return realWrite(fd, data, size);
        };
        const auto realSync = calls.fsync;
        calls.fsync = [&](int fd) {
            if (fails(QStringLiteral("fsync"))) {
                errno = error;
                return -1;
            }
            return realSync(fd);
        };
        const auto realRename = calls.rename;
        calls.rename = [&](const char* from, const char* to) {
            if (fails(QStringLiteral("rename"))) {
                errno = error;
                return -1;
            }
            return realRename(from, to);
        };

        ListControl list;
        QStringList cells;
        for (int r = 1; r <= rows; ++r)
            cells << QStringLiteral("+%1|%2").arg(QString(400, QLatin1Char('w'))).arg(r);
        setUpList(list, {"Results", "Syllables Count"}, cells);
        RecordingDisplay display;
        FakeDialogs dialogs;
        ListviewFileWriter(list, target, &display, dialogs, calls).run();

        const QStringList reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        // Putting the file in place names it; a failed write of its lines is the disk's.
        const QString named = call == QLatin1String("rename") ? QStringLiteral(": ") + target : QString();
        QVERIFY2(reports.first().startsWith(description + named + QStringLiteral("\r\n")), qPrintable(reports.first()));
        QVERIFY2(reports.first().contains(QStringLiteral(".Main.SaveListviewProperlySpaced at line %1\r\r").arg(step)),
                 qPrintable(reports.first()));
        QCOMPARE(readFile(target), QByteArray("previous"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.txt"});
        QCOMPARE(display.events.contains(QStringLiteral("tDone.")), done);
        QCOMPARE(display.events.mid(display.events.size() - 2), (QStringList{"v0.00", "tProgress Bar"}));
    }

    // The new file keeps the permissions of the one it replaces; a link stays a link and its file is replaced.
    void replacingKeepsPermissionsAndLinks() {
        QTemporaryDir dir;
        const QString real = dir.filePath(QStringLiteral("real.txt"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        writeFile(real, "previous");
        const QFile::Permissions kept = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(real, kept));
        QVERIFY(QFile::link(real, link));
        ListControl list;
        setUpList(list, {"Results"}, {"+baby"});
        FakeDialogs dialogs;
        TextExport::SaveListviewProperlySpaced(list, link, nullptr, dialogs);
        QVERIFY(dialogs.boxes.isEmpty());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(real), QByteArray("Results\t\r\nbaby   \t\r\n"));
        QCOMPARE(QFileInfo(real).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), kept);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
    }

    // A real full disk: the export over an existing file gives one report and leaves the old file exactly as it
    // was, with nothing else left behind; with room again the same export writes the whole file.
    void fullDisk() {
        const SmallFileSystem disk;
        if (!disk.mounted())
            QSKIP(qPrintable(QStringLiteral("a small file system cannot be mounted here: ") + disk.error()));
        const QString target = disk.filePath(QStringLiteral("results.txt"));
        writeFile(target, "previous");
        QVERIFY(disk.fill(QStringLiteral("filler")));

        OutputTestWindow w;
        QStringList rows;
        for (int r = 1; r <= 14; ++r)
            rows << QStringLiteral("+%1|%2").arg(QString(300, QLatin1Char('a' + r))).arg(r);
        fillList(w.results, rows);
        w.dialogs().fileAnswers.enqueue(target);
        w.dialogs().questionAnswers.enqueue(true);
        TextExport(w.window).PushButton4_Click();

        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().startsWith(QStringLiteral("Disk full\r\n")), qPrintable(reports.first()));
        QVERIFY(reports.first().contains(QStringLiteral(".Main.SaveListviewProperlySpaced at line ")));
        QCOMPARE(w.dialogs().boxes.size(), 2); // the replace question, the report
        QCOMPARE(readFile(target), QByteArray("previous"));
        QCOMPARE(disk.entries(), (QStringList{"filler", "results.txt"}));
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
        QCOMPARE(w.progress.barText(), QStringLiteral("Progress Bar"));

        QVERIFY(QFile::remove(disk.filePath(QStringLiteral("filler"))));
        w.dialogs().fileAnswers.enqueue(target);
        w.dialogs().questionAnswers.enqueue(true);
        TextExport(w.window).PushButton4_Click();
        QCOMPARE(w.dialogs().errorReports().size(), 1); // no new report
        const QByteArray written = readFile(target);
        QCOMPARE(written.count("\r\n"), 15);
        QVERIFY(written.size() > 4096); // more than the one page a full disk could still have taken
        QCOMPARE(disk.entries(), QStringList{"results.txt"});
    }

    // A handler that clears the results while the export yields: one report, the lines written before stay.
    void listClearedWhileWriting() {
        ListControl list;
        setUpList(list, {"Results", "Syllables Count"}, {"+baby|2", "+cat|1", "+dog|1", "+elephant|3"});
        RecordingDisplay display;
        display.onValue = [&](double value) {
            if (value > 20.0 && list.rowCount() > 0)
                list.clear();
        };
        FakeDialogs dialogs;
        const QString target = path(QStringLiteral("cleared.txt"));
        TextExport::SaveListviewProperlySpaced(list, target, &display, dialogs);
        const QStringList reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().startsWith(QStringLiteral("Subscript out of range\r\n")), qPrintable(reports.first()));
        QVERIFY(reports.first().contains(QStringLiteral(".Main.SaveListviewProperlySpaced at line 188")));
        QCOMPARE(readFile(target), "Results" + spaces(1) + "\tSyllables Count\t\r\n" + "baby" + spaces(4) + "\t2" +
                                       spaces(14) + "\t\r\n");
        QCOMPARE(display.events.mid(display.events.size() - 2), (QStringList{"v0.00", "tProgress Bar"}));
    }
};

PARVENNA_TEST_MAIN(TestTextExport)
#include "TestTextExport.moc"
