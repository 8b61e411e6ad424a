// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NamedControls.h"

#include <QWidget>

namespace NamedControls {

bool isNamed(const QWidget* widget) {
    const QString name = widget->objectName();
    return !widget->isWindow() && !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

QList<QWidget*> of(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (isNamed(widget))
            controls << widget;
    return controls;
}

} // namespace NamedControls
