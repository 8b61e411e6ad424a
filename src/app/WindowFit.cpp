// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowFit.h"

#include "app/NamedControls.h"
#include "app/ScaledStyle.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

// The smallest scale the window is laid out at, and how far a text's font may shrink below the laid-out one.
constexpr double kSmallestScale = 0.25;
constexpr double kSmallestFontShare = 0.5;
constexpr double kFontStep = 0.95;
constexpr int kGap = 6; // between a widened control and the next one on its right

int scaled(int length, double scale) {
    return static_cast<int>(std::lround(length * scale));
}

QFont scaledFont(QFont font, double scale) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(font.pixelSize(), scale)));
    return font;
}

} // namespace

WindowFit::WindowFit(QWidget& window) : m_window(window) {}

void WindowFit::fit() {
    if (m_placed.empty())
        record();
    const QScreen* screen = m_window.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = frameMargins();
    const double scale = scaleFor(m_designSize, available, frame);
    const bool rescaled = scale != m_scale;
    layOut(scale);
    if (rescaled && scale < 1.0)
        m_window.move(available.center() - QPoint((m_window.width() + frame.left() + frame.right()) / 2,
                                                  (m_window.height() + frame.top() + frame.bottom()) / 2));
    keepOnScreen(available, frame);
}

double WindowFit::scaleFor(QSize design, QRect available, QMargins frame) {
    const double across = double(available.width() - frame.left() - frame.right()) / design.width();
    const double down = double(available.height() - frame.top() - frame.bottom()) / design.height();
    return std::clamp(std::min(across, down), kSmallestScale, 1.0);
}

void WindowFit::record() {
    m_designSize = m_window.size();
    QList<QWidget*> containers{&m_window};
    for (QGroupBox* box : m_window.findChildren<QGroupBox*>())
        containers << box;
    for (QWidget* container : containers) {
        for (QWidget* widget : container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!NamedControls::isNamed(widget))
                continue;
            Placed placed{widget, widget->geometry(), widget->font(), {}};
            if (const auto* tree = qobject_cast<QTreeView*>(widget))
                for (int c = 0; c < tree->header()->count(); ++c)
                    placed.columnWidths << tree->header()->sectionSize(c);
            m_placed.push_back(placed);
        }
    }
}

void WindowFit::layOut(double scale) {
    m_scale = scale;
    useStyleFor(scale);
    m_window.setFixedSize(scaled(m_designSize.width(), scale), scaled(m_designSize.height(), scale));
    for (const Placed& placed : m_placed) {
        if (!placed.widget)
            continue;
        const QRect& g = placed.geometry;
        placed.widget->setGeometry(scaled(g.x(), scale), scaled(g.y(), scale), scaled(g.width(), scale),
                                   scaled(g.height(), scale));
        placed.widget->setFont(scale == 1.0 ? placed.font : scaledFont(placed.font, scale));
        if (auto* tree = qobject_cast<QTreeView*>(placed.widget.data()))
            for (int c = 0; c < placed.columnWidths.size() && c < tree->header()->count(); ++c)
                tree->header()->resizeSection(c, scaled(placed.columnWidths[c], scale));
    }
    for (const Placed& placed : m_placed)
        if (auto* button = qobject_cast<QAbstractButton*>(placed.widget.data()))
            fitText(*button);
}

// Every widget of the window, its lists' insides included, uses the scaled style while the scale is below 1.
void WindowFit::useStyleFor(double scale) {
    if (scale == 1.0 && !m_style)
        return;
    ScaledStyle* previous = m_style;
    m_style = scale < 1.0 ? new ScaledStyle(scale) : nullptr;
    if (m_style)
        m_style->setParent(&m_window);
    m_window.setStyle(m_style);
    for (QWidget* widget : m_window.findChildren<QWidget*>())
        widget->setStyle(m_style);
    delete previous;
}

// A check box may grow to the right into free room; any button's font shrinks while its text is cut.
void WindowFit::fitText(QAbstractButton& button) {
    if (textFits(button))
        return;
    if (!qobject_cast<QPushButton*>(&button)) {
        const int width = std::min(button.sizeHint().width(), freeRightEdge(button) - button.x());
        if (width > button.width())
            button.resize(width, button.height());
    }
    QFont font = button.font();
    const double smallest = font.pointSizeF() * kSmallestFontShare;
    while (!textFits(button) && font.pointSizeF() * kFontStep >= smallest) {
        font.setPointSizeF(font.pointSizeF() * kFontStep);
        button.setFont(font);
    }
}

// Where the widget's container, or the next named control on its right, begins (mirroring the widget's own
// left margin at the container's right edge).
int WindowFit::freeRightEdge(const QWidget& widget) const {
    const QWidget* container = widget.parentWidget();
    int edge = container->width() - widget.x();
    for (const QWidget* other : container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect g = other->geometry();
        const bool besideIt = g.top() <= widget.geometry().bottom() && g.bottom() >= widget.y();
        if (other != &widget && NamedControls::isNamed(other) && besideIt && g.left() > widget.geometry().right())
            edge = std::min(edge, g.left() - kGap);
    }
    return edge;
}

bool WindowFit::textFits(const QAbstractButton& button) {
    const QSize needed = button.sizeHint();
    return needed.width() <= button.width() && button.fontMetrics().height() <= button.height();
}

void WindowFit::keepOnScreen(QRect available, QMargins frame) {
    const QSize outer = m_window.size().grownBy(frame);
    const int x =
        std::clamp(m_window.x(), available.left(), std::max(available.left(), available.right() + 1 - outer.width()));
    const int y =
        std::clamp(m_window.y(), available.top(), std::max(available.top(), available.bottom() + 1 - outer.height()));
    if (QPoint(x, y) != m_window.pos())
        m_window.move(x, y);
}

// What the window manager says its frame takes, once the window is shown in one; until then the allowance.
QMargins WindowFit::frameMargins() const {
    const QWindow* handle = m_window.windowHandle();
    const QMargins margins = handle ? handle->frameMargins() : QMargins();
    return margins.isNull() ? kFrameAllowance : margins;
}
