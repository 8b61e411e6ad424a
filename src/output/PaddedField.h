// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One field of a column-aligned line: the text, the spaces that fill it to its column's width, and a tab.
// A text longer than the width (the list changed while the line was being built) gets the tab only.
namespace PaddedField {

inline void append(QString& line, const QString& text, qsizetype width) {
    line += text;
    if (width > text.size())
        line.resize(line.size() + width - text.size(), QLatin1Char(' '));
    line += QLatin1Char('\t');
}

} // namespace PaddedField
