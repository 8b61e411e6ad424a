// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/ServiceLookup.h"

#include "common/StepTrap.h"
#include "dictionary/ToolFiles.h"
#include "lookup/HeadwordExtraction.h"
#include "ui/WindowContext.h"

namespace {

// The fetch stops as soon as the window closes.
std::function<bool()> closingOf(WindowContext& window) {
    return [&window] { return window.closing(); };
}

} // namespace

ServiceLookup::ServiceLookup(WindowContext& window, ToolFiles& tools, DictionaryEndpoint endpoint, int attemptLimitMs)
    : m_tools(tools), m_endpoint(std::move(endpoint)),
      m_curl(window.dialogs(), window.clock(), &window.progressBar(), closingOf(window), attemptLimitMs) {}

bool ServiceLookup::begin(StepTrap& trap) {
    return trap.step(126, [&] { m_tools.ExtractToolFiles(); });
}

QString ServiceLookup::notReadyText() const {
    return QStringLiteral("Nothing was looked up: the dictionary service at %1 cannot be reached without curl, and "
                          "curl could not be made ready for this run.")
        .arg(FetchFailure::hostOf(m_endpoint.address));
}

WordLookup::Result ServiceLookup::lookUp(StepTrap& trap, const QString& word, bool withStress) {
    CurlFunctions::Fetch fetch;
    trap.step(140, [&] { fetch = m_curl.FetchAnswer(word, m_tools, m_endpoint); });
    if (fetch.failure.failed()) {
        Result result;
        result.serviceFailure = fetch.failure.describe();
        return result;
    }
    const HeadwordExtraction::Result extraction = HeadwordExtraction::extract(fetch.text, word);
    if (extraction.failedStep != 0) {
        trap.enter(extraction.failedStep);
        trap.report(extraction.failure); // a malformed answer: one report, and the word counts as not found
    }
    Result result;
    result.found = extraction.found;
    result.splitText = extraction.splitText;
    result.syllables = extraction.syllables;
    if (withStress)
        result.stressedText = extraction.stressedText; // only the service's own pronunciation, never a guess
    return result;
}

void ServiceLookup::end(StepTrap& trap) {
    trap.step(190, [&] { m_tools.DeleteToolFiles(); });
}
