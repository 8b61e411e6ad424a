// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <vector>

class QAbstractButton;
class QWidget;
class ScaledStyle;

// Keeps a fixed-size window with hand-placed controls usable on any screen. The design (the window's size,
// each named control's place and font, the lists' column widths) is recorded once; the window is then laid out
// at the largest scale, up to the design's own, at which it fits the screen's available area with its frame, and
// its frame is kept inside that area. A check box or button whose text does not fit in the font actually used
// (a layout measured in Arial, shown in a wider fallback font) is widened into free room where its container
// has some, else its font is made smaller until the text fits. Named controls are the window's children and
// those of its group boxes whose object names are set (and do not start with "qt_"). Laid out smaller, every
// widget of the window uses the style's sizes scaled alike (ScaledStyle).
class WindowFit {
public:
    // Room for a title bar and borders, in device-independent pixels, while the window manager has not said
    // what its frame takes.
    static constexpr QMargins kFrameAllowance{4, 32, 4, 4};

    explicit WindowFit(QWidget& window);

    // Records the design the first time, then fits the window to the screen it is on.
    void fit();
    // The scale of the last fit: 1 when the design fits as it is.
    double scale() const { return m_scale; }

    // The largest scale, at most 1, at which a window of the design size and its frame fit in available.
    static double scaleFor(QSize design, QRect available, QMargins frame);
    // True when the button's text is shown whole at its size and font.
    static bool textFits(const QAbstractButton& button);

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
        QList<int> columnWidths;
    };

    void record();
    void layOut(double scale);
    void fitText(QAbstractButton& button);
    int freeRightEdge(const QWidget& widget) const;
    void keepOnScreen(QRect available, QMargins frame);
    void useStyleFor(double scale);
    QMargins frameMargins() const;

    QWidget& m_window;
    QSize m_designSize;
    std::vector<Placed> m_placed;
    double m_scale = 1.0;
    QPointer<ScaledStyle> m_style; // while laid out smaller than designed
};
