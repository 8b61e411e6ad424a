// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/ListEditing.h"

#include "ListsTestWindow.h"
#include "TestEnvironment.h"

namespace {

enum class Trigger { DoubleClick, DeleteKey };
enum class Which { Words, Results };

} // namespace

Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(Which)

class TestListEditing : public QObject {
    Q_OBJECT

    static void fill(ListControl& list, const QStringList& texts) { list.addRows(texts); }

    static void trigger(ListEditing& editing, Which which, Trigger how) {
        if (which == Which::Words)
            how == Trigger::DoubleClick ? editing.ListView1_DblClick() : editing.ListView1_KeyDown(Qt::Key_Delete);
        else
            how == Trigger::DoubleClick ? editing.ListView2_DblClick() : editing.ListView2_KeyDown(Qt::Key_Delete);
    }

private slots:
    void addOneWord_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        const QStringList refused{QStringLiteral("Must be one word only.")};
        QTest::newRow("cancel or empty") << "" << none << none;
        QTest::newRow("plain") << "baby" << QStringList{"baby"} << none;
        QTest::newRow("leading blank") << " baby" << none << refused;
        QTest::newRow("trailing blank") << "baby " << none << refused;
        QTest::newRow("two words") << "New Hampshire" << none << refused;
        QTest::newRow("only a blank") << " " << none << refused;
        QTest::newRow("hyphen kept") << "ice-cream" << QStringList{"ice-cream"} << none;
        QTest::newRow("apostrophe kept") << "don't" << QStringList{"don't"} << none;
        QTest::newRow("tab kept") << "ba\tby" << QStringList{"ba\tby"} << none;
        QTest::newRow("case and accents kept") << "CaFé," << QStringList{"CaFé,"} << none;
        QTest::newRow("no-break space is no blank")
            << QString("ba\u00A0by") << QStringList{QString("ba\u00A0by")} << none;
        // The stored list is joined by ";": a word holding one would come back as two after a restart.
        const QStringList noSeparator{QStringLiteral("Must be one word only, without \";\".")};
        QTest::newRow("semicolon inside") << "ice;cream" << none << noSeparator;
        QTest::newRow("semicolon last") << "baby;" << none << noSeparator;
        QTest::newRow("only a semicolon") << ";" << none << noSeparator;
        QTest::newRow("blank and semicolon: the blank's message") << "a; b" << none << refused;
        QTest::newRow("comma kept") << "a,b" << QStringList{"a,b"} << none;
    }
    void addOneWord() {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, messages);
        ListsTestWindow w;
        w.window.setApplicationTitle(QStringLiteral("Parvenna Title"));
        w.dialogs().inputAnswers << typed;
        ListEditing(w.window).PushButton6_Click();
        QCOMPARE(w.dialogs().prompts, QStringList{"Enter word to add: |Parvenna Title"});
        QCOMPARE(w.words.texts(), rows);
        QCOMPARE(w.dialogs().texts(), messages);
        for (const auto& box : w.dialogs().boxes) {
            QCOMPARE(box.title, QStringLiteral("Parvenna Title"));
            QCOMPARE(box.icon, MessageIcon::None);
        }
    }

    void addAppendsDuplicatesAndKeepsCurrentRow() {
        ListsTestWindow w;
        fill(w.words, {"one", "two"});
        w.words.setCurrentRow(1);
        w.dialogs().inputAnswers << "baby"
                                 << "baby";
        ListEditing editing(w.window);
        editing.PushButton6_Click();
        editing.PushButton6_Click();
        QCOMPARE(w.words.texts(), (QStringList{"one", "two", "baby", "baby"}));
        QCOMPARE(w.words.currentRow(), 1);
        QCOMPARE(w.results.rowCount(), 0);
    }

    void sampleWordsAppendInOrderEachTime() {
        ListsTestWindow w;
        fill(w.words, {"first"});
        ListEditing editing(w.window);
        editing.PushButton7_Click();
        editing.PushButton7_Click();
        const QStringList sample{"baby", "diamond", "New Hampshire", "demonstration"};
        QCOMPARE(w.words.texts(), QStringList{"first"} + sample + sample);
        QVERIFY(w.dialogs().boxes.isEmpty());
    }

    void manyClicksOnALongListStayFast() {
        // Appending one row at a time must not copy the whole list each time.
        ListsTestWindow w;
        ListEditing editing(w.window);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 10000; ++i)
            editing.PushButton7_Click();
        QCOMPARE(w.words.rowCount(), 40000);
        QCOMPARE(w.words.text(39999), QStringLiteral("New Hampshire"));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }

    void removeCurrentRow_data() {
        QTest::addColumn<Which>("which");
        QTest::addColumn<Trigger>("how");
        QTest::newRow("words, double-click") << Which::Words << Trigger::DoubleClick;
        QTest::newRow("words, Delete") << Which::Words << Trigger::DeleteKey;
        QTest::newRow("results, double-click") << Which::Results << Trigger::DoubleClick;
        QTest::newRow("results, Delete") << Which::Results << Trigger::DeleteKey;
    }
    void removeCurrentRow() {
        QFETCH(Which, which);
        QFETCH(Trigger, how);
        ListsTestWindow w;
        ListControl& list = which == Which::Words ? w.words : w.results;
        ListControl& other = which == Which::Words ? w.results : w.words;
        ListEditing editing(w.window);

        trigger(editing, which, how); // empty list: nothing happens, nothing fails
        QCOMPARE(list.rowCount(), 0);

        fill(list, {"a", "b", "c", "d"});
        fill(other, {"x", "y"});
        trigger(editing, which, how); // rows but none current: nothing goes
        QCOMPARE(list.texts(), (QStringList{"a", "b", "c", "d"}));

        list.setCurrentRow(2);
        trigger(editing, which, how);
        QCOMPARE(list.texts(), (QStringList{"a", "c", "d"}));
        list.setCurrentRow(3);
        trigger(editing, which, how);
        QCOMPARE(list.texts(), (QStringList{"a", "c"}));
        QCOMPARE(other.texts(), (QStringList{"x", "y"}));

        w.setBusy(true);
        list.setCurrentRow(1);
        trigger(editing, which, how);
        QCOMPARE(list.texts(), (QStringList{"a", "c"}));
        QVERIFY(w.dialogs().boxes.isEmpty());
    }

    void onlyTheDeleteKeyRemoves_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
        QTest::newRow("Insert") << int(Qt::Key_Insert);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("letter D") << int(Qt::Key_D);
        // 46 is the Delete key's Windows key code, but the full stop's Qt code.
        QTest::newRow("full stop, code 46") << int(Qt::Key_Period);
    }
    void onlyTheDeleteKeyRemoves() {
        QFETCH(int, key);
        ListsTestWindow w;
        fill(w.words, {"a", "b"});
        fill(w.results, {"a", "b"});
        w.words.setCurrentRow(1);
        w.results.setCurrentRow(1);
        ListEditing editing(w.window);
        editing.ListView1_KeyDown(key);
        editing.ListView2_KeyDown(key);
        QCOMPARE(w.words.rowCount(), 2);
        QCOMPARE(w.results.rowCount(), 2);
    }

    void clearingOneListLeavesTheOther() {
        ListsTestWindow w;
        fill(w.words, {"a", "b"});
        fill(w.results, {"r1", "r2", "r3"});
        ListEditing editing(w.window);
        editing.PushButton2_Click();
        QCOMPARE(w.results.rowCount(), 0);
        QCOMPARE(w.words.texts(), (QStringList{"a", "b"}));
        fill(w.results, {"r"});
        editing.PushButton1_Click();
        QCOMPARE(w.words.rowCount(), 0);
        QCOMPARE(w.results.texts(), QStringList{"r"});
        QVERIFY(w.dialogs().boxes.isEmpty());
    }

    void whileBusy() {
        ListsTestWindow w;
        fill(w.words, {"a", "b"});
        fill(w.results, {"r1", "r2"});
        w.words.setCurrentRow(1);
        w.results.setCurrentRow(1);
        w.setBusy(true);
        ListEditing editing(w.window);

        editing.ListView1_DblClick();
        editing.ListView1_KeyDown(Qt::Key_Delete);
        editing.PushButton1_Click();
        QCOMPARE(w.words.texts(), (QStringList{"a", "b"}));

        w.dialogs().inputAnswers << "word";
        editing.PushButton6_Click();
        editing.PushButton7_Click();
        QCOMPARE(w.words.texts(), (QStringList{"a", "b", "word", "baby", "diamond", "New Hampshire", "demonstration"}));

        editing.PushButton2_Click();
        QCOMPARE(w.results.rowCount(), 0);
        QCOMPARE(w.pointer.pointer(), MousePointer::Hourglass);
    }

    void pointerResetOverTheLists() {
        ListsTestWindow w;
        ListEditing editing(w.window);
        w.pointer.setPointer(MousePointer::Custom);
        editing.ListView_MouseMove();
        QCOMPARE(w.pointer.pointer(), MousePointer::Default);
        w.setBusy(true);
        editing.ListView_MouseMove();
        QCOMPARE(w.pointer.pointer(), MousePointer::Hourglass);
    }
};

PARVENNA_TEST_MAIN(TestListEditing)
#include "TestListEditing.moc"
