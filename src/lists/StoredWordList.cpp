// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/StoredWordList.h"

#include "common/AppError.h"
#include "common/Settings.h"
#include "common/StepTrap.h"
#include "ui/ListControl.h"

#include <new>

namespace StoredWordList {

WordBlock wordsOf(QString stored) {
    WordBlock block;
    const QStringView text(stored);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            end = text.size();
        if (end > start)
            block.spans.push_back({start, end - start});
        start = end + 1;
    }
    block.pool = std::move(stored);
    return block;
}

QString valueOf(const ListControl& words) {
    return words.joinedTexts(QLatin1Char(';'));
}

void restore(StepTrap& trap, ListControl& words) {
    QString stored;
    trap.step(144, [&] { stored = Settings::get(kKey, QString()); });
    if (!trap.test(146, [&] { return !stored.isEmpty(); }))
        return;
    WordBlock block;
    trap.step(148, [&] { block = wordsOf(std::move(stored)); });
    // Steps 150 to 156 append every non-empty entry; the rows go in as one block so a long list stays fast.
    trap.step(154, [&] { words.addRows(std::move(block)); });
}

namespace {

// Runs the action; its failure is thrown again with the words that the stored list is kept.
void keepingTheStoredList(const std::function<void()>& action) {
    const auto kept = [](const QString& description) {
        return description + (description.endsWith(QLatin1Char('.')) ? QStringLiteral(" ") : QStringLiteral(". ")) +
               kNotSaved;
    };
    try {
        action();
    } catch (const std::bad_alloc&) {
        throw AppError(AppError::OutOfMemory, kept(QStringLiteral("Out of memory")));
    } catch (const AppError& failure) {
        throw AppError(failure.number(), kept(failure.description()));
    }
}

} // namespace

void save(StepTrap& trap, const ListControl& words, const std::function<QString(const ListControl&)>& build) {
    QString text;
    // Steps 100 to 108: the rows' texts joined by ";", no ";" after the last. Without them nothing is stored.
    if (!trap.step(102, [&] { keepingTheStoredList([&] { text = build(words); }); }))
        return;
    trap.step(110, [&] { keepingTheStoredList([&] { Settings::save(kKey, text); }); });
}

} // namespace StoredWordList
