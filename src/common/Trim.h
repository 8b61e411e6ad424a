// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The text without leading and trailing spaces. Only the space counts: tabs and other blanks stay, as the
// program's word handling has always treated them.
QString TrimSpaces(const QString& text);
// The same as a view into the text: no copy, however long the text.
QStringView TrimSpacesView(QStringView text);
