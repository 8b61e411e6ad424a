#include "OutputTestWindow.h"
#include "TestEnvironment.h"
#include "output/ProgressDisplay.h"
#include "output/TextExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

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
        QCOMPARE(request.shownName, QStringLiteral("/somewhere/words.txt"));
        QCOMPARE(readFile(target), kResultsHeader + "baby" + spaces(3) + "\t2" + spaces(14) + "\t\r\n");
        QVERIFY(!QFile::exists(target + QStringLiteral(".txt")));
        QCOMPARE(w.pointer.changes, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
        QVERIFY(w.dialogs().boxes.isEmpty()); // no completion message
        QCOMPARE(w.progress.progress(), 0.0);
        QCOMPARE(w.progress.barText(), QStringLiteral("Progress Bar"));

        // The next save opens with the name just chosen and replaces the file without a question.
        fillList(w.results, {"+cat|1"});
        w.dialogs().fileAnswers.enqueue(target);
        TextExport(w.window).PushButton4_Click();
        QCOMPARE(w.dialogs().fileRequests.last().shownName, target);
        QCOMPARE(readFile(target), kResultsHeader + "baby" + spaces(3) + "\t2" + spaces(14) + "\t\r\n" + "cat" +
                                       spaces(4) + "\t1" + spaces(14) + "\t\r\n");
        QVERIFY(w.dialogs().boxes.isEmpty());
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
        TextExport(w.window).PushButton4_Click();

        const QStringList reports = w.dialogs().errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().startsWith(description + "\r\n"), qPrintable(reports.first()));
        QVERIFY(reports.first().contains(QStringLiteral(".Main.SaveListviewProperlySpaced at line 156\r\r")));
        QCOMPARE(w.dialogs().boxes.size(), 1);
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
