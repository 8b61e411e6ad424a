// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Dialogs;

// "About Parvenna" (F1): the program's name, version and licence, and where the built-in dictionary comes from
// and under which licence.
namespace AboutBox {

inline const QString kTitle = QStringLiteral("About Parvenna");

QString text();
void show(Dialogs& dialogs);

} // namespace AboutBox
