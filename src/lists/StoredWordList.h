// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WordBlock.h"

#include <QString>
#include <functional>

class ListControl;
class StepTrap;

// The word list as the settings keep it: the rows' texts joined by ";" under "Zip Codes", restored at start-up and
// saved when the window closes.
namespace StoredWordList {

inline const QString kKey = QStringLiteral("Zip Codes");
inline const QString kNotSaved =
    QStringLiteral("The word list was not saved; the list stored before is kept as it was.");

// The stored text cut at every ";" into words, empty pieces skipped. The text itself becomes the block's pool, so
// a million words cost no more than the text they came in.
WordBlock wordsOf(QString stored);

// The value stored for the list: the rows' texts joined by ";", no ";" after the last.
QString valueOf(const ListControl& words);

// Start-up steps 144 to 156: the stored list appended to the (empty) word list.
void restore(StepTrap& trap, ListControl& words);

// Close steps 100 to 110. The new value is built whole before the store is touched, and the store replaces its
// file whole or not at all: when either fails (no memory for the value, a failed write), the list stored before
// stays byte for byte, and the one report says so. build makes the value; tests hand in one that fails.
void save(StepTrap& trap, const ListControl& words, const std::function<QString(const ListControl&)>& build = valueOf);

} // namespace StoredWordList
