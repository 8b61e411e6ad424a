// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// How long a word may be. English has no word of more than about fifty letters; a "word" far longer is data gone
// wrong (a file without separators, a binary file) and is never looked up: it is not found at once, and where it is
// shown it is cut to the bound with an ellipsis. The one place that sets the bound, for the window and the command
// line alike.
namespace WordLimit {

// The longest word that is looked up, in UTF-16 code units.
constexpr qsizetype kLongestWord = 256;
inline const QString kEllipsis = QStringLiteral("\u2026");

inline bool isTooLong(QStringView word) {
    return word.size() > kLongestWord;
}

// The text whole when it is no longer than most, else its first characters (no surrogate pair split) and "…".
QString shown(QStringView text, qsizetype most = kLongestWord);

} // namespace WordLimit
