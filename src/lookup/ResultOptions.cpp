// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/ResultOptions.h"

#include "common/Settings.h"
#include "common/StepTrap.h"
#include "common/Trim.h"
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

ResultRow rowFor(const QString& word, bool found, const QString& splitText, int syllables, bool showWord,
                 bool notFoundEntry) {
    const QString prefix = showWord ? TrimSpaces(word) + QStringLiteral(" - ") : QString();
    if (found)
        return {true, prefix + splitText, QString::number(syllables), true};
    if (notFoundEntry)
        return {true, prefix + kNotFoundText, QString(), false};
    return {};
}

} // namespace ResultOptions
