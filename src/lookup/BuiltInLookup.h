// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lookup/WordLookup.h"

class BuiltInDictionary;

// Lookups in the built-in dictionary, in this process: no network, no child process, no daily limit.
class BuiltInLookup : public WordLookup {
public:
    bool sendsToService() const override { return false; }
    bool begin(StepTrap& trap) override;
    QString notReadyText() const override {
        return QStringLiteral("Nothing was looked up: the built-in dictionary could not be loaded.");
    }
    Result lookUp(StepTrap& trap, const QString& word, bool withStress) override;
    void end(StepTrap&) override {}

private:
    const BuiltInDictionary* m_dictionary = nullptr;
};
