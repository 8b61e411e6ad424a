// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class WindowContext;

// The two options that shape the result rows, and the row each lookup gives.
namespace ResultOptions {

inline const QString kShowWordKey = QStringLiteral("Show word");  // Check5
inline const QString kNotFoundKey = QStringLiteral("Check1");     // Check1
inline const QString kStressKey = QStringLiteral("Stress marks"); // Check2, "Mark stressed syllables"
inline const QString kNotFoundText = QStringLiteral("Not Found");

// Store the box's new state at once: "1" when ticked, "0" otherwise (also for the greyed state).
void Check1_Click(WindowContext& window, bool ticked);
void Check5_Click(WindowContext& window, bool ticked);
void Check2_Click(WindowContext& window, bool ticked);

// The row a looked-up word gives. A word that is not found gives a row only with the "Not Found" option. The row's
// text holds no control character (each became U+FFFD), and an over-long word in it is cut with an ellipsis.
struct ResultRow {
    bool present = false;
    QString text;
    QString count; // empty for a "Not Found" row
    bool checked = false;
};
ResultRow rowFor(const QString& word, bool found, const QString& splitText, int syllables, bool showWord,
                 bool notFoundEntry);

} // namespace ResultOptions
