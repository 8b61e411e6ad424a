// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/ServiceLookup.h"

#include "common/StepTrap.h"
#include "dictionary/ToolFiles.h"
#include "lookup/HeadwordExtraction.h"
#include "ui/WindowContext.h"

ServiceLookup::ServiceLookup(WindowContext& window, ToolFiles& tools, DictionaryEndpoint endpoint)
    : m_tools(tools), m_endpoint(std::move(endpoint)),
      m_curl(window.dialogs(), window.clock(), &window.progressBar(), [&window] { return window.closing(); }) {}

bool ServiceLookup::begin(StepTrap& trap) {
    return trap.step(126, [&] { m_tools.ExtractToolFiles(); });
}

WordLookup::Result ServiceLookup::lookUp(StepTrap& trap, const QString& word) {
    QString answer;
    trap.step(140, [&] { answer = m_curl.ReadCurl(word, m_tools, m_endpoint); });
    const HeadwordExtraction::Result extraction = HeadwordExtraction::extract(answer, word);
    if (extraction.failedStep != 0) {
        trap.enter(extraction.failedStep);
        trap.report(extraction.failure); // a malformed answer: one report, and the word counts as not found
    }
    return {extraction.found, false, extraction.splitText, extraction.syllables};
}

void ServiceLookup::end(StepTrap& trap) {
    trap.step(190, [&] { m_tools.DeleteToolFiles(); });
}
