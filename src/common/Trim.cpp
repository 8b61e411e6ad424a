// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Trim.h"

QStringView TrimSpacesView(QStringView text) {
    while (text.startsWith(u' '))
        text = text.sliced(1);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

QString TrimSpaces(const QString& text) {
    const QStringView trimmed = TrimSpacesView(text);
    return trimmed.size() == text.size() ? text : trimmed.toString();
}
