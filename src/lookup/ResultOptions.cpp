// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/ResultOptions.h"

#include "common/ControlCharacters.h"
#include "common/Settings.h"
#include "common/StepTrap.h"
#include "common/Trim.h"
#include "common/WordLimit.h"
#include "ui/WindowContext.h"

namespace ResultOptions {
namespace {

void store(WindowContext& window, const QString& location, const QString& key, bool ticked) {
    StepTrap trap{window.dialogs(), location};
    trap.step(100, [&] { Settings::save(key, ticked ? QStringLiteral("1") : QStringLiteral("0")); });
}

} // namespace

void Check1_Click(WindowContext& window, bool ticked) {
    store(window, QStringLiteral("Form1.Check1_Click"), kNotFoundKey, ticked);
}

void Check5_Click(WindowContext& window, bool ticked) {
    store(window, QStringLiteral("Form1.Check5_Click"), kShowWordKey, ticked);
}

void Check2_Click(WindowContext& window, bool ticked) {
    store(window, QStringLiteral("Form1.Check2_Click"), kStressKey, ticked);
}

ResultRow rowFor(const QString& word, bool found, const QString& splitText, int syllables, bool showWord,
                 bool notFoundEntry) {
    // An over-long word shows cut; a division shows cut where it is far longer than any word's.
    const QString prefix = showWord ? WordLimit::shown(TrimSpacesView(word)) + QStringLiteral(" - ") : QString();
    ResultRow row;
    if (found)
        row = {true, prefix + WordLimit::shown(splitText, 2 * WordLimit::kLongestWord), QString::number(syllables),
               true};
    else if (notFoundEntry)
        row = {true, prefix + kNotFoundText, QString(), false};
    // Whatever the word or the dictionary held, the row is one line of plain text.
    row.text = ControlCharacters::replaced(row.text);
    return row;
}

} // namespace ResultOptions
