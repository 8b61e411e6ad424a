// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressBar.h"

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
