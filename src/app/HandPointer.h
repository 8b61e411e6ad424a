// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QString>

// The hand pointer shown over the buttons, loaded from a Windows cursor file (.cur).
namespace HandPointer {

// Throws AppError when the file cannot be read or is not a cursor.
QCursor load(const QString& path);

} // namespace HandPointer
