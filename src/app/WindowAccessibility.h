// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QAbstractItemView;
class QWidget;

// What assistive technology and keyboard users need of the window's controls. Every named control gets an
// accessible name (its label: a button's or check box's text without the mnemonic, a frame's title, or the name
// given below for the lists and the progress bar) and a description (given below, else its tool tip, else its
// name); a list that has the keyboard focus is ringed in the highlight colour, since it shows no focus of its
// own while it has no current row.
class WindowAccessibility : public QObject {
    Q_OBJECT
public:
    explicit WindowAccessibility(QWidget& window);

    // Names and describes every named control of the window (run again after controls are added).
    void describeControls();

    // The label of a text without its mnemonic: "&Start Splitting" -> "Start Splitting", "&&" -> "&".
    static QString withoutMnemonic(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* now);
    void placeRing();

    QWidget& m_window;
    QWidget* m_ring;
    QPointer<QAbstractItemView> m_ringed;
};
