// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictionary/ChildProcess.h"
#include "lookup/RunSummary.h"
#include "ui/ListModel.h"

#include <QString>
#include <memory>
#include <vector>

class WindowContext;
class StepTrap;
class ToolFiles;
class WordLookup;

// "Start Splitting": looks every word of the word list up, one after another, and fills the results list.
class SplittingRun {
public:
    static inline const QString kLocation = QStringLiteral("Form1.PushButton17_Click");
    static inline const QString kNoWords = QStringLiteral("No words added.");
    static inline const QString kNothingFound = QStringLiteral("No word was found.");
    static inline const QString kEstimatedMarker = QStringLiteral(" (estimated)");
    static inline const QString kNothingLookedUp = QStringLiteral("Nothing was looked up.");

    explicit SplittingRun(WindowContext& window);
    ~SplittingRun();

    void PushButton17_Click();
    bool running() const { return m_running; }
    // The totals of the last run; after it, the progress bar tells them until the results change.
    const RunSummary& summary() const { return m_summary; }

    // How long one run of curl may take. Only tests shorten it, to try a hanging service quickly.
    void setFetchTimeLimit(int attemptLimitMs) { m_attemptLimitMs = attemptLimitMs; }

private:
    struct Walk {
        bool found = false;
        bool limitReached = false;
        QString stopText; // why the run ended before its words were looked up: the closing message then
    };
    bool checkQuota(StepTrap& trap);
    Walk walkWords(StepTrap& trap, WordLookup& lookup);
    void showPosition(StepTrap& trap, qsizetype position, const QString& word);
    void showLastRow(StepTrap& trap);
    bool addRow(StepTrap& trap, const QString& word, bool found, const QString& splitText, int syllables);
    ListModel::NewRow& pendingRow(std::size_t added);
    void addPendingRows(StepTrap& trap);
    void finish(StepTrap& trap, const Walk& walk, bool countsLookups);
    // The closing message of a run that a silent service stopped at the given word.
    static QString stoppedText(const QString& failure, const QString& word, qsizetype notLookedUp);

    WindowContext& m_window;
    std::unique_ptr<ToolFiles> m_tools; // the tool path and output path outlive a run
    bool m_running = false;
    // The rows made since the window was last served: they join the results list in one block the next time it
    // is (a row at a time would cost more than the lookups themselves). Never kept across a yield.
    std::vector<ListModel::NewRow> m_pending;
    int m_pendingStep = 0; // the step that made the first of them
    int m_attemptLimitMs = ChildProcess::kTimeLimitMs;
    RunSummary m_summary;
};
