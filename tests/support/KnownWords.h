// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace KnownWords {

// Up to the wanted number of words, spread over the whole built-in dictionary, that it gives rows for without
// guessing or reading aloud (as a dictionary service would): headwords, and derived forms (plurals, "-ing", "-ed",
// "-ly") of them.
QStringList sample(int wanted);

} // namespace KnownWords
