// SPDX-License-Identifier: GPL-3.0-or-later
// Run three times by CTest, each on a screen of its own (PARVENNA_FIT_CASE): "designed" on a large screen at 1x,
// "scaled" at 2x on an 800 x 600 screen, "dejavu" with DejaVu as the only font.
#include "app/Form1.h"
#include "app/NamedControls.h"
#include "app/WindowAccessibility.h"

#include "FakePlatform.h"
#include "NoSpreadsheet.h"
#include "TestEnvironment.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDebug>
#include <QFontInfo>
#include <QScreen>
#include <QStyleOptionButton>

namespace {

QString fitCase() {
    return qEnvironmentVariable("PARVENNA_FIT_CASE");
}

// Where the style draws a button's or check box's text, and whether the text has room there.
bool textShownWhole(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const bool push = !qobject_cast<const QCheckBox*>(&button);
    const QRect room = button.style()->subElementRect(
        push ? QStyle::SE_PushButtonContents : QStyle::SE_CheckBoxContents, &option, &button);
    const QFontMetrics metrics(button.font());
    return metrics.horizontalAdvance(WindowAccessibility::withoutMnemonic(button.text())) <= room.width() &&
           metrics.height() <= button.height();
}

} // namespace

class TestWindowFit : public QObject {
    Q_OBJECT
private:
    FakePlatformTools m_tools;
    NoSpreadsheet m_spreadsheets;
    std::unique_ptr<Form1> m_form;
    QMap<QString, QRect> m_designed; // each control's place before the window was first shown

private slots:
    // The screen each case asks for is the one it got.
    void initTestCase() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (fitCase() == QStringLiteral("scaled")) {
            QCOMPARE(screen->devicePixelRatio(), 2.0);
            QCOMPARE(screen->geometry().size() * 2, QSize(800, 600));
        } else if (fitCase() == QStringLiteral("designed") || fitCase() == QStringLiteral("dejavu")) {
            QCOMPARE(screen->devicePixelRatio(), 1.0);
            QVERIFY(screen->availableGeometry().height() > 670 + 40);
        }
        m_form = std::make_unique<Form1>(m_tools, m_spreadsheets);
        m_form->Form_Load();
        for (QWidget* control : NamedControls::of(*m_form))
            m_designed[control->objectName()] = control->geometry();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    // The window lies inside the screen, every control inside the window, visible, and none covers another in the
    // same container.
    void everyControlReachable() {
        QString frame;
        QDebug(&frame) << m_form->frameGeometry();
        QVERIFY2(m_form->screen()->availableGeometry().contains(m_form->frameGeometry()), qPrintable(frame));
        const QList<QWidget*> controls = NamedControls::of(*m_form);
        QCOMPARE(controls.size(), m_designed.size());
        for (QWidget* control : controls) {
            const QRect inWindow(control->mapTo(m_form.get(), QPoint(0, 0)), control->size());
            QVERIFY2(m_form->rect().contains(inWindow), qPrintable(control->objectName()));
            QVERIFY2(control->isVisible() && !control->size().isEmpty(), qPrintable(control->objectName()));
            for (QWidget* other : controls)
                if (other != control && other->parentWidget() == control->parentWidget())
                    QVERIFY2(!other->geometry().intersects(control->geometry()),
                             qPrintable(control->objectName() + " overlaps " + other->objectName()));
        }
    }

    void noTextClipped() {
        for (QAbstractButton* button : m_form->findChildren<QAbstractButton*>())
            if (NamedControls::isNamed(button))
                QVERIFY2(textShownWhole(*button), qPrintable(button->objectName() + ": " + button->font().family()));
        if (fitCase() == QStringLiteral("dejavu"))
            QCOMPARE(QFontInfo(m_form->findChild<QCheckBox*>("Check5")->font()).family(),
                     QStringLiteral("DejaVu Sans"));
    }

    // Where the design fits, the window is exactly the designed one.
    void designedWhereItFits() {
        if (fitCase() != QStringLiteral("designed"))
            QSKIP("the design does not fit this screen, or not in this font");
        QCOMPARE(m_form->size(), QSize(536, 670));
        for (QWidget* control : NamedControls::of(*m_form))
            QCOMPARE(control->geometry(), m_designed.value(control->objectName()));
    }

    // At 2x on 800 x 600 the design is laid out smaller, its proportions kept.
    void smallerWhereItDoesNot() {
        if (fitCase() != QStringLiteral("scaled"))
            QSKIP("the design fits this screen");
        QVERIFY(m_form->height() < 300);
        const double scale = double(m_form->width()) / 536.0;
        QVERIFY(qAbs(double(m_form->height()) / 670.0 - scale) < 0.01);
        auto* start = m_form->findChild<QWidget*>("PushButton17");
        QVERIFY(qAbs(start->width() - 520 * scale) <= 1);
    }

    void cleanupTestCase() { m_form.reset(); }
};

PARVENNA_TEST_MAIN(TestWindowFit)
#include "TestWindowFit.moc"
