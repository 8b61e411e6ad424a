// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/SplittingRun.h"

#include "common/AppError.h"
#include "common/FileSystem.h"
#include "common/MessageLoop.h"
#include "common/StepTrap.h"
#include "common/Trim.h"
#include "common/WordLimit.h"
#include "dictionary/ToolFiles.h"
#include "lookup/DailyQuota.h"
#include "lookup/DictionaryLocation.h"
#include "lookup/ResultOptions.h"
#include "lookup/WordLookup.h"
#include "ui/WindowContext.h"

#include <QElapsedTimer>

namespace {

// Lookups in this process take a microsecond: the window is then served once per time slice, not once per word,
// so that a long list is not slowed down by repainting the progress bar for every word.
constexpr int kSliceMs = 15;

} // namespace

SplittingRun::SplittingRun(WindowContext& window) : m_window(window), m_tools(std::make_unique<ToolFiles>()) {}

SplittingRun::~SplittingRun() = default;

void SplittingRun::PushButton17_Click() {
    if (m_running || m_window.busy())
        return; // a long operation is never entered twice
    StepTrap trap{m_window.dialogs(), kLocation};
    if (trap.test(100, [&] { return m_window.wordList().rowCount() == 0; })) {
        trap.step(218, [&] { m_window.message(kNoWords); });
        return;
    }
    m_running = true;
    trap.step(102, [&] { m_window.setPointer(MousePointer::Hourglass); });
    // (112) the daily limit is QuotaState::kDailyLimit; which dictionary the words go to is settled here too
    std::unique_ptr<WordLookup> lookup;
    trap.step(112, [&] { lookup = DictionaryLocation::lookupForRun(m_window, *m_tools, m_attemptLimitMs); });
    trap.step(114, [&] { m_window.resultsList().clear(); });
    m_summary.clear();
    // Only a dictionary service is limited: its key allows so many lookups a day.
    const bool countsLookups = !lookup || lookup->sendsToService();
    if (!countsLookups || checkQuota(trap)) {
        trap.step(122, [&] { m_window.setPointer(MousePointer::Hourglass); });
        trap.enter(124);
        // Without the dictionary nothing can be looked up: the walk would only count lookups that never happened.
        const bool ready = lookup && lookup->begin(trap);
        const Walk walk =
            ready ? walkWords(trap, *lookup) : Walk{false, false, lookup ? lookup->notReadyText() : kNothingLookedUp};
        if (lookup)
            lookup->end(trap);
        finish(trap, walk, countsLookups);
    }
    m_running = false;
}

bool SplittingRun::checkQuota(StepTrap& trap) {
    QuotaState& quota = m_window.quota();
    if (trap.test(116, [&] { return DailyQuota::isNewDay(quota, m_window.clock().today()); }))
        trap.step(118, [&] { quota.count = 0; });
    if (!trap.test(120, [&] { return !DailyQuota::allowsRun(quota); }))
        return true;
    trap.enter(208); // the limit flag
    trap.step(210, [&] { m_window.setPointer(MousePointer::Default); });
    trap.step(216, [&] { m_window.message(DailyQuota::refusalText()); });
    return false;
}

SplittingRun::Walk SplittingRun::walkWords(StepTrap& trap, WordLookup& lookup) {
    Walk walk;
    ListControl& words = m_window.wordList();
    const bool counted = lookup.sendsToService();
    QElapsedTimer slice;
    slice.start();
    qsizetype wordCount = 0;
    trap.step(128, [&] { wordCount = words.rowCount(); });
    for (qsizetype position = 1; position <= wordCount; ++position) {
        // Rows are read by position after every yield: the list may have changed meanwhile.
        if (position > words.rowCount() || m_window.closing())
            break;
        QString word;
        trap.step(130, [&] { word = words.text(position); });
        const bool serve = counted || position == 1 || slice.hasExpired(kSliceMs);
        if (serve) {
            showPosition(trap, position, word);
            slice.restart();
            if (position > words.rowCount() || m_window.closing())
                break;
        }
        // A "word" longer than any word is data gone wrong: it is neither looked up nor counted, and not found.
        const bool tooLong = WordLimit::isTooLong(TrimSpacesView(word));
        const bool withStress = m_window.stressTicked();
        const WordLookup::Result result = tooLong ? WordLookup::Result{} : lookup.lookUp(trap, word, withStress);
        if (!result.serviceFailure.isEmpty()) {
            // No answer is no word that was not found: the walk ends here, and this word is not counted.
            walk.stopText = stoppedText(result.serviceFailure, word, words.rowCount() - position + 1);
            break;
        }
        m_summary.add(result.found, result.estimated, result.syllables);
        const QString& shown = withStress && !result.stressedText.isEmpty() ? result.stressedText : result.splitText;
        const QString splitText = result.estimated ? shown + kEstimatedMarker : shown;
        trap.enter(result.found ? 158 : 174);
        walk.found = addRow(trap, word, result.found, splitText, result.syllables) || walk.found;
        if (!counted || tooLong)
            continue;
        trap.step(182, [&] { ++m_window.quota().count; });
        if (trap.test(184, [&] { return m_window.quota().count >= QuotaState::kDailyLimit; })) {
            trap.enter(186);
            walk.limitReached = true;
            break;
        }
        trap.enter(188);
    }
    showLastRow(trap);
    return walk;
}

QString SplittingRun::stoppedText(const QString& failure, const QString& word, qsizetype notLookedUp) {
    const qsizetype after = notLookedUp - 1;
    const QString which = after == 0 ? QStringLiteral("that word was")
                                     : QStringLiteral("it and the %1 %2 after it were")
                                           .arg(after)
                                           .arg(after == 1 ? QStringLiteral("word") : QStringLiteral("words"));
    return failure + QStringLiteral("\r\n\r\nThe run stopped at \"%1\": %2 not looked up and not counted.")
                         .arg(WordLimit::shown(word), which);
}

// (132–138) The progress bar shows where the walk is, and the window is served.
void SplittingRun::showPosition(StepTrap& trap, qsizetype position, const QString& word) {
    ListControl& words = m_window.wordList();
    showLastRow(trap);
    trap.step(132, [&] { m_window.progressBar().setProgress(double(position) / double(words.rowCount()) * 100.0); });
    trap.step(134, [&] {
        m_window.progressBar().setBarText(QStringLiteral("Processing: ") +
                                          FileSystem::FileNameFromPath(WordLimit::shown(word)));
    });
    trap.step(136, [&] { MessageLoop::DoEvents(); });
    trap.step(138, [&] { m_window.setPointer(MousePointer::Hourglass); });
}

// (170) The newest row is scrolled into view whenever the window is served, once the rows made since are in.
void SplittingRun::showLastRow(StepTrap& trap) {
    addPendingRows(trap);
    ListControl& results = m_window.resultsList();
    if (results.rowCount() > 0 && results.checked(results.rowCount()))
        trap.step(170, [&] { results.ensureRowVisible(results.rowCount()); });
}

// (158–180) The row of one word, as the options want it. True when the word was found.
bool SplittingRun::addRow(StepTrap& trap, const QString& word, bool found, const QString& splitText, int syllables) {
    const ResultOptions::ResultRow row = ResultOptions::rowFor(
        word, found, splitText, syllables, m_window.showWordTicked(), m_window.notFoundEntryTicked());
    if (!row.present)
        return false;
    // Steps 160/162 with the original word shown, 164/166 without; 178/180 for a "Not Found" row.
    const bool showWord = m_window.showWordTicked();
    std::size_t added = 0; // the new row among the pending ones, counted from 1
    const int addStep = found ? (showWord ? 160 : 164) : (showWord ? 178 : 180);
    trap.step(addStep, [&] {
        if (m_pending.empty())
            m_pendingStep = addStep;
        m_pending.push_back({row.text, {}, false});
        added = m_pending.size();
    });
    if (!found)
        return false;
    trap.step(addStep + 2, [&] { pendingRow(added).subItems = QStringList{row.count}; });
    trap.step(168, [&] { pendingRow(added).checked = true; });
    trap.enter(172);
    return true;
}

ListModel::NewRow& SplittingRun::pendingRow(std::size_t added) {
    if (added == 0 || added > m_pending.size())
        throw AppError::subscriptOutOfRange();
    return m_pending[added - 1];
}

// The rows made since the window was last served join the results list as one block.
void SplittingRun::addPendingRows(StepTrap& trap) {
    if (m_pending.empty())
        return;
    const int current = trap.currentStep();
    trap.step(m_pendingStep, [&] { m_window.resultsList().addRows(m_pending); });
    trap.enter(current);
    m_pending.clear();
}

void SplittingRun::finish(StepTrap& trap, const Walk& walk, bool countsLookups) {
    if (countsLookups)
        DailyQuota::save(m_window.quota(), m_window.clock().today(), trap);
    trap.step(196, [&] { m_window.setPointer(MousePointer::Default); });
    trap.step(198, [&] { m_window.progressBar().setProgress(0); });
    // At rest after a run, the bar tells what the run found instead of its resting text.
    trap.step(200, [&] {
        m_window.progressBar().setBarText(m_summary.words() > 0 ? m_summary.text() : ProgressBar::kRestText);
    });
    if (m_window.closing())
        return; // the window is gone: nobody to tell
    QString text = walk.stopText.isEmpty() ? DailyQuota::closingText(walk.found, walk.limitReached) : walk.stopText;
    if (text.isEmpty())
        text = kNothingFound;
    trap.step(206, [&] { m_window.message(text); });
}
