// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class StepTrap;

// "Look this word up": what the splitting run asks of a dictionary, whichever it is. The service through curl
// and the built-in dictionary each answer it; the run's steps, rows and messages are written once.
class WordLookup {
public:
    struct Result {
        bool found = false;
        bool estimated = false; // the built-in dictionary's guess for a word it does not list
        QString splitText;      // "ba·by"
        QString stressedText;   // "ˈba·by", when stress was asked for and is known; empty otherwise
        int syllables = 0;
        QString serviceFailure; // set when the service gave no answer: what happened, and with which host
    };

    virtual ~WordLookup() = default;

    // True when the lookups go to a dictionary service: they count against the daily limit.
    virtual bool sendsToService() const = 0;
    // (126) Makes ready for the walk; false when nothing can be looked up.
    virtual bool begin(StepTrap& trap) = 0;
    // Why nothing could be looked up, after begin() returned false: the closing message of such a run.
    virtual QString notReadyText() const = 0;
    // (140–156) One word; failures are reported through the trap and the word counts as not found. A service
    // that gave no answer is no word that was not found: the result's serviceFailure says so, and the walk ends.
    // With stress, the result's stressedText carries the stress marks where the dictionary gives them.
    virtual Result lookUp(StepTrap& trap, const QString& word, bool withStress) = 0;
    // (190) Cleans up after the walk.
    virtual void end(StepTrap& trap) = 0;
};
