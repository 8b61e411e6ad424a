// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The application's style with its sizes (check box squares, margins, spacings, scroll bars, header marks)
// multiplied by a scale, for a window laid out smaller than designed: the controls keep their proportions
// instead of a full-size check box square being cut by a control made small.
class ScaledStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit ScaledStyle(double scale);
    double scale() const { return m_scale; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    double m_scale;
};
