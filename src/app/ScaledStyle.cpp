// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScaledStyle.h"

#include <algorithm>
#include <cmath>

ScaledStyle::ScaledStyle(double scale) : m_scale(scale) {}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
    case PM_ButtonMargin:
    case PM_HeaderMargin:
    case PM_HeaderMarkSize:
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
    case PM_FocusFrameHMargin:
    case PM_FocusFrameVMargin:
    case PM_LayoutLeftMargin:
    case PM_LayoutTopMargin:
    case PM_LayoutRightMargin:
    case PM_LayoutBottomMargin:
        return size <= 0 ? size : std::max(1, static_cast<int>(std::lround(size * m_scale)));
    default:
        return size;
    }
}
