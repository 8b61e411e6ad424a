// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowAccessibility.h"

#include "app/NamedControls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QPainter>

namespace {

struct Texts {
    const char* name; // nullptr: the control's own label
    const char* description;
};

// The controls' own words for what they do.
const QHash<QString, Texts>& controlTexts() {
    static const QHash<QString, Texts> texts{
        {QStringLiteral("ListView1"), {"Word list", "The words to split, one a row. Delete removes the current row."}},
        {QStringLiteral("ListView2"),
         {"Results list", "Each word split into syllables, with its number of syllables. Ctrl+C copies the "
                          "results; Delete removes the current row."}},
        {QStringLiteral("ProgressBar1"), {"Progress", "What the window is doing, or what the last run found."}},
        {QStringLiteral("PushButton6"), {nullptr, "Asks for one word and adds it to the word list."}},
        {QStringLiteral("PushButton3"), {nullptr, "Adds the words of text files to the word list (Ctrl+O)."}},
        {QStringLiteral("PushButton1"), {nullptr, "Removes every word from the word list."}},
        {QStringLiteral("PushButton7"), {nullptr, "Adds four sample words to the word list."}},
        {QStringLiteral("PushButton17"), {nullptr, "Looks every word up and fills the results list."}},
        {QStringLiteral("PushButton4"), {nullptr, "Saves the results as a column-aligned text file (Ctrl+S)."}},
        {QStringLiteral("PushButton13"),
         {nullptr, "Opens the results as a new spreadsheet, or saves them as an "
                   "Excel workbook file."}},
        {QStringLiteral("PushButton5"), {nullptr, "Copies the results to the clipboard (Ctrl+Shift+C)."}},
        {QStringLiteral("PushButton2"), {nullptr, "Removes every row from the results list."}},
        {QStringLiteral("Check5"), {nullptr, "Puts the word as typed in front of each result."}},
        {QStringLiteral("Check1"), {nullptr, "Adds a \"Not Found\" row for each word the dictionary lacks."}},
        {QStringLiteral("Check2"),
         {nullptr, "Marks the stressed syllables in each result (\u02C8 primary, "
                   "\u02CC secondary)."}},
    };
    return texts;
}

QString ownLabel(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return WindowAccessibility::withoutMnemonic(button->text());
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        return WindowAccessibility::withoutMnemonic(box->title());
    return widget->objectName();
}

// A ring drawn over the edge of the list that has the focus; the mouse passes through it.
class FocusRing : public QWidget {
public:
    static constexpr int kWidth = 2;
    explicit FocusRing(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), kWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
    }
};

} // namespace

WindowAccessibility::WindowAccessibility(QWidget& window)
    : QObject(&window), m_window(window), m_ring(new FocusRing(&window)) {
    describeControls();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

void WindowAccessibility::describeControls() {
    for (QWidget* widget : NamedControls::of(m_window)) {
        const auto given = controlTexts().constFind(widget->objectName());
        const bool known = given != controlTexts().constEnd();
        const QString name = known && given->name ? QString::fromUtf8(given->name) : ownLabel(widget);
        widget->setAccessibleName(name);
        if (known)
            widget->setAccessibleDescription(QString::fromUtf8(given->description));
        else if (widget->accessibleDescription().isEmpty())
            widget->setAccessibleDescription(widget->toolTip().isEmpty() ? name : widget->toolTip());
    }
}

QString WindowAccessibility::withoutMnemonic(const QString& text) {
    QString label;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        label += text[i];
    }
    return label;
}

void WindowAccessibility::focusChanged(QWidget* now) {
    auto* view = qobject_cast<QAbstractItemView*>(now);
    if (view && !m_window.isAncestorOf(view))
        view = nullptr;
    if (m_ringed)
        m_ringed->removeEventFilter(this);
    m_ringed = view;
    if (!view) {
        m_ring->hide();
        return;
    }
    view->installEventFilter(this);
    placeRing();
    m_ring->show();
}

bool WindowAccessibility::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ringed && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeRing();
    return QObject::eventFilter(watched, event);
}

void WindowAccessibility::placeRing() {
    if (!m_ringed)
        return;
    if (m_ring->parentWidget() != m_ringed->parentWidget()) {
        m_ring->setParent(m_ringed->parentWidget());
        m_ring->show();
    }
    const int w = FocusRing::kWidth;
    m_ring->setGeometry(m_ringed->geometry().adjusted(-w, -w, w, w));
    m_ring->raise();
}
