// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressBar.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 1000);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    rest();
}

void ProgressBar::setProgress(double percent) {
    m_percent = std::isfinite(percent) ? std::clamp(percent, 0.0, 100.0) : 0.0;
    setValue(static_cast<int>(std::lround(m_percent * 10.0)));
}

void ProgressBar::setBarText(const QString& text) {
    m_text = text;
    update();
}

void ProgressBar::rest() {
    setProgress(0.0);
    setBarText(kRestText);
}

QFont ProgressBar::textFont() const {
    QFont font = this->font();
    if (font.pointSizeF() <= 0)
        return font;
    const int room = contentsRect().width() - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin);
    const double smallest = font.pointSizeF() / 2.0;
    while (QFontMetrics(font).horizontalAdvance(m_text) > room && font.pointSizeF() * 0.95 >= smallest)
        font.setPointSizeF(font.pointSizeF() * 0.95);
    return font;
}

void ProgressBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_ProgressBarGroove, option);
    painter.drawControl(QStyle::CE_ProgressBarContents, option);
    painter.setFont(textFont());
    painter.drawControl(QStyle::CE_ProgressBarLabel, option);
}
