// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

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

    explicit SplittingRun(WindowContext& window);
    ~SplittingRun();

    void PushButton17_Click();
    bool running() const { return m_running; }

private:
    struct Walk {
        bool found = false;
        bool limitReached = false;
    };
    bool checkQuota(StepTrap& trap);
    Walk walkWords(StepTrap& trap, WordLookup& lookup);
    void showPosition(StepTrap& trap, qsizetype position, const QString& word);
    void showLastRow(StepTrap& trap);
    bool addRow(StepTrap& trap, const QString& word, bool found, const QString& splitText, int syllables);
    void finish(StepTrap& trap, const Walk& walk, bool countsLookups);

    WindowContext& m_window;
    std::unique_ptr<ToolFiles> m_tools; // the tool path and output path outlive a run
    bool m_running = false;
};
