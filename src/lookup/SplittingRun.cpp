#include "lookup/SplittingRun.h"

#include "common/FileSystem.h"
#include "common/MessageLoop.h"
#include "common/StepTrap.h"
#include "dictionary/CurlFunctions.h"
#include "dictionary/ToolFiles.h"
#include "lookup/DailyQuota.h"
#include "lookup/DictionaryLocation.h"
#include "lookup/HeadwordExtraction.h"
#include "lookup/ResultOptions.h"
#include "ui/WindowContext.h"

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
    trap.enter(112); // the daily limit is QuotaState::kDailyLimit
    trap.step(114, [&] { m_window.resultsList().clear(); });
    if (checkQuota(trap)) {
        trap.step(122, [&] { m_window.setPointer(MousePointer::Hourglass); });
        trap.enter(124);
        DictionaryEndpoint endpoint;
        const bool ready = trap.step(126, [&] {
            m_tools->ExtractToolFiles();
            endpoint = DictionaryLocation::effectiveEndpoint();
        });
        CurlFunctions curl(m_window.dialogs(), m_window.clock(), &m_window.progressBar(),
                           [this] { return m_window.closing(); });
        // Without the tool nothing can be looked up: the walk would only count lookups that never happened.
        const Walk walk = ready ? walkWords(trap, curl, endpoint) : Walk{};
        finish(trap, walk);
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

SplittingRun::Walk SplittingRun::walkWords(StepTrap& trap, CurlFunctions& curl, const DictionaryEndpoint& endpoint) {
    Walk walk;
    ListControl& words = m_window.wordList();
    qsizetype wordCount = 0;
    trap.step(128, [&] { wordCount = words.rowCount(); });
    for (qsizetype position = 1; position <= wordCount; ++position) {
        // Rows are read by position after every yield: the list may have changed meanwhile.
        if (position > words.rowCount() || m_window.closing())
            break;
        QString word;
        trap.step(130, [&] { word = words.text(position); });
        trap.step(132,
                  [&] { m_window.progressBar().setProgress(double(position) / double(words.rowCount()) * 100.0); });
        trap.step(134, [&] {
            m_window.progressBar().setBarText(QStringLiteral("Processing: ") + FileSystem::FileNameFromPath(word));
        });
        trap.step(136, [&] { MessageLoop::DoEvents(); });
        trap.step(138, [&] { m_window.setPointer(MousePointer::Hourglass); });
        if (m_window.closing())
            break;
        walk.found = lookUp(trap, curl, endpoint, word) || walk.found;
        trap.step(182, [&] { ++m_window.quota().count; });
        if (trap.test(184, [&] { return m_window.quota().count >= QuotaState::kDailyLimit; })) {
            trap.enter(186);
            walk.limitReached = true;
            break;
        }
        trap.enter(188);
    }
    return walk;
}

bool SplittingRun::lookUp(StepTrap& trap, CurlFunctions& curl, const DictionaryEndpoint& endpoint,
                          const QString& word) {
    QString answer;
    trap.step(140, [&] { answer = curl.ReadCurl(word, *m_tools, endpoint); });
    const HeadwordExtraction::Result extraction = HeadwordExtraction::extract(answer, word);
    if (extraction.failedStep != 0) {
        trap.enter(extraction.failedStep);
        trap.report(extraction.failure); // a malformed answer: one report, and the word counts as not found
    }
    const ResultOptions::ResultRow row =
        ResultOptions::rowFor(word, extraction.found, extraction.splitText, extraction.syllables,
                              m_window.showWordTicked(), m_window.notFoundEntryTicked());
    trap.enter(extraction.found ? 158 : 174);
    if (!row.present)
        return false;
    // Steps 160/162 with the original word shown, 164/166 without; 178/180 for a "Not Found" row.
    const bool showWord = m_window.showWordTicked();
    ListControl& results = m_window.resultsList();
    int added = 0;
    const int addStep = extraction.found ? (showWord ? 160 : 164) : (showWord ? 178 : 180);
    trap.step(addStep, [&] { added = results.addRow(row.text); });
    if (!extraction.found)
        return false;
    trap.step(addStep + 2, [&] { results.setSubItem(added, 1, row.count); });
    trap.step(168, [&] { results.setChecked(added, true); });
    trap.step(170, [&] { results.ensureRowVisible(added); });
    trap.enter(172);
    return true;
}

void SplittingRun::finish(StepTrap& trap, const Walk& walk) {
    trap.step(190, [&] { m_tools->DeleteToolFiles(); });
    DailyQuota::save(m_window.quota(), m_window.clock().today(), trap);
    trap.step(196, [&] { m_window.setPointer(MousePointer::Default); });
    trap.step(198, [&] { m_window.progressBar().setProgress(0); });
    trap.step(200, [&] { m_window.progressBar().setBarText(QStringLiteral("Progress Bar")); });
    if (m_window.closing())
        return; // the window is gone: nobody to tell
    QString text = DailyQuota::closingText(walk.found, walk.limitReached);
    if (text.isEmpty())
        text = kNothingFound;
    trap.step(206, [&] { m_window.message(text); });
}
