// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutBox.h"
#include "app/Form1.h"
#include "app/NamedControls.h"
#include "app/WindowAccessibility.h"

#include "FakePlatform.h"
#include "NoSpreadsheet.h"
#include "TestEnvironment.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QSet>

namespace {} // namespace

class TestKeyboardAndAccessibility : public QObject {
    Q_OBJECT
private:
    FakePlatformTools m_tools;
    NoSpreadsheet m_spreadsheets;
    std::unique_ptr<Form1> m_form;

    ListControl& results() { return m_form->context().resultsList(); }
    template <typename T = QWidget> T* control(const char* name) { return m_form->findChild<T*>(name); }
    // What the keys did, as one word: the dialog they opened, the box, the copy, or the row they removed.
    QString effect() {
        QStringList seen;
        for (const FakeDialogs::FileRequest& request : m_tools.fakeDialogs.fileRequests)
            seen << (request.save ? "save" : "open");
        for (const FakeDialogs::Box& box : m_tools.fakeDialogs.boxes)
            seen << (box.title == AboutBox::kTitle ? "about" : box.text);
        if (QGuiApplication::clipboard()->text() != QStringLiteral("before"))
            seen << "copy";
        if (results().rowCount() < 2)
            seen << "removed";
        return seen.join(QLatin1Char(' '));
    }

private slots:
    void init() {
        TestEnvironment::clearSettings();
        TestEnvironment::useService(QString(), QString()); // the built-in dictionary
        m_tools.fakeDialogs = FakeDialogs();
        m_form = std::make_unique<Form1>(m_tools, m_spreadsheets);
        m_form->Form_Load();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        results().addRows(std::vector<ListModel::NewRow>{{"ba·by", {"2"}, true}, {"cat", {"1"}, true}});
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    void cleanup() { m_form.reset(); }

    // Every control is named and described for assistive technology; the lists by what they hold.
    void accessibleNames() {
        for (QWidget* widget : NamedControls::of(*m_form)) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(face, qPrintable(widget->objectName()));
            QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(widget->objectName()));
            QVERIFY2(!face->text(QAccessible::Description).isEmpty(), qPrintable(widget->objectName()));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(control("ListView1"))->text(QAccessible::Name), "Word list");
        QCOMPARE(QAccessible::queryAccessibleInterface(control("ListView2"))->text(QAccessible::Name), "Results list");
        QCOMPARE(QAccessible::queryAccessibleInterface(control("PushButton17"))->text(QAccessible::Name),
                 "Start Splitting");
    }

    // One mnemonic on every button and check box, no two alike.
    void mnemonics() {
        QSet<QChar> used;
        for (QAbstractButton* button : m_form->findChildren<QAbstractButton*>()) {
            if (!NamedControls::isNamed(button))
                continue; // a list's corner button, not a control of the window's
            const QString text = button->text();
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            QVERIFY2(at >= 0 && at + 1 < text.size() && text.count(QLatin1Char('&')) == 1, qPrintable(text));
            const QChar key = text[at + 1].toUpper();
            QVERIFY2(!used.contains(key), qPrintable(text));
            used << key;
        }
        QCOMPARE(used.size(), 12); // nine buttons and three check boxes
    }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
    }
    void enterPressesTheFocusedButton() {
        QFETCH(int, key);
        m_form->context().wordList().addRow(QStringLiteral("baby"));
        QWidget* start = control("PushButton17");
        start->setFocus();
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(m_tools.fakeDialogs.texts(), QStringList{"Done."});
        QCOMPARE(results().rowCount(), 1);
        QCOMPARE(results().text(1), QStringLiteral("ba·by"));
    }

    void shortcuts_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+O loads words") << "ListView1" << QKeySequence("Ctrl+O") << "open";
        QTest::newRow("Ctrl+S saves as text") << "ListView1" << QKeySequence("Ctrl+S") << "save";
        QTest::newRow("Ctrl+Shift+C copies") << "PushButton6" << QKeySequence("Ctrl+Shift+C") << "copy";
        QTest::newRow("Ctrl+C in the results copies") << "ListView2" << QKeySequence("Ctrl+C") << "copy";
        QTest::newRow("Ctrl+C elsewhere does not") << "PushButton6" << QKeySequence("Ctrl+C") << "";
        QTest::newRow("Delete removes the current row") << "ListView2" << QKeySequence(Qt::Key_Delete) << "removed";
        QTest::newRow("F1 shows about") << "ListView1" << QKeySequence(Qt::Key_F1) << "about";
        QTest::newRow("Alt+S starts splitting") << "ListView1" << QKeySequence("Alt+S") << "No words added.";
    }
    void shortcuts() {
        QFETCH(QString, focus);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, effect);
        results().setCurrentRow(1);
        QWidget* target = m_form->findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keySequence(target, keys);
        QTRY_COMPARE(this->effect(), effect); // a mnemonic presses its button a moment later, as a click shows
        QTest::qWait(150);
        QCOMPARE(this->effect(), effect); // and nothing more
    }

    // A list with the focus is ringed in the highlight colour even without a current row.
    void focusedListIsRinged() {
        auto* list = control("ListView2");
        results().clear();
        const QPoint edge(list->x() - 1, list->y() + list->height() / 2);
        control("PushButton6")->setFocus();
        QCOMPARE(m_form->grab().toImage().pixelColor(edge), QColor(Qt::white));
        list->setFocus();
        QTRY_COMPARE(m_form->grab().toImage().pixelColor(edge), list->palette().color(QPalette::Highlight));
    }
};

PARVENNA_TEST_MAIN(TestKeyboardAndAccessibility)
#include "TestKeyboardAndAccessibility.moc"
