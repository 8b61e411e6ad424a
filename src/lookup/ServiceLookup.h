// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictionary/CurlFunctions.h"
#include "dictionary/DictionaryEndpoint.h"
#include "lookup/WordLookup.h"

class ToolFiles;
class WindowContext;

// Lookups sent to the configured dictionary service through curl, one child process per word.
class ServiceLookup : public WordLookup {
public:
    // attemptLimitMs: how long one run of curl may take (see CurlFunctions).
    ServiceLookup(WindowContext& window, ToolFiles& tools, DictionaryEndpoint endpoint,
                  int attemptLimitMs = ChildProcess::kTimeLimitMs);

    bool sendsToService() const override { return true; }
    bool begin(StepTrap& trap) override;
    QString notReadyText() const override;
    Result lookUp(StepTrap& trap, const QString& word, bool withStress) override;
    void end(StepTrap& trap) override;

private:
    ToolFiles& m_tools;
    DictionaryEndpoint m_endpoint;
    CurlFunctions m_curl;
};
