// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/BuiltInLookup.h"

#include "common/StepTrap.h"
#include "lexicon/BuiltInDictionary.h"
#include "lexicon/Division.h"

bool BuiltInLookup::begin(StepTrap& trap) {
    return trap.step(126, [&] { m_dictionary = &BuiltInDictionary::shared(); });
}

WordLookup::Result BuiltInLookup::lookUp(StepTrap& trap, const QString& word, bool withStress) {
    Result result;
    trap.step(140, [&] {
        const BuiltInDictionary::Answer answer = m_dictionary->lookUp(word, false, withStress);
        if (!answer.found())
            return;
        result.found = true;
        result.estimated = answer.source == BuiltInDictionary::Source::Estimated;
        result.splitText = answer.splitText();
        result.syllables = Division::countSyllables(result.splitText);
        if (withStress)
            result.stressedText = answer.stressedText();
    });
    return result;
}
