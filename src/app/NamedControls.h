// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QWidget;

// The window's controls as designed: its widgets with an object name of their own (Qt names the inner parts of
// its widgets "qt_..."), whatever they are, so that a control added to the window is laid out, named for
// screen readers and tested like the others without a list of them anywhere.
namespace NamedControls {

bool isNamed(const QWidget* widget);
// Every named control below window, in the order of findChildren.
QList<QWidget*> of(QWidget& window);

} // namespace NamedControls
