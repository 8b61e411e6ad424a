// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QWidget;

// The optional skin: a Qt style sheet in the file x/o.cjs beside the program.
namespace Skin {

// Does nothing when no ordinary file is at path. Otherwise gives the window and the listed controls the
// button-face colour and applies the style sheet to the window. A file that cannot be read or is not a valid
// style sheet throws AppError and leaves the window with its designed look.
void apply(QWidget& window, const QList<QWidget*>& backgroundControls, const QString& path);

// True when Qt's style sheet parser accepts the text.
bool isValidStyleSheet(const QString& styleSheet);

} // namespace Skin
