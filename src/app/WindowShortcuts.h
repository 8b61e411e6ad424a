// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <functional>

class QWidget;

// The window's keyboard shortcuts. Each presses a button by its name, so it does exactly what the button does
// (and, while the window is busy, what the button does then). Enter on a focused button presses it.
namespace WindowShortcuts {

struct Binding {
    QKeySequence keys;
    const char* button; // object name of the button pressed
    const char* within; // object name of the control the keys belong to; nullptr: the whole window
};

// Ctrl+O load words, Ctrl+S save as text, Ctrl+Shift+C copy (Ctrl+C too while the results list has focus).
const QList<Binding>& bindings();

// Installs the bindings, Enter on every push button, and F1 for about.
void install(QWidget& window, const std::function<void()>& about);

} // namespace WindowShortcuts
