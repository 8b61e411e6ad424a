// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowContext.h"

#include <QCheckBox>

WindowContext::WindowContext(ListControl& wordList, ListControl& resultsList, QCheckBox& showWord,
                             QCheckBox& notFoundEntry, ProgressBar& progressBar, PointerHost& pointer,
                             PlatformTools& tools)
    : m_wordList(wordList), m_resultsList(resultsList), m_showWord(showWord), m_notFoundEntry(notFoundEntry),
      m_progressBar(progressBar), m_pointer(pointer), m_tools(tools) {}

bool WindowContext::showWordTicked() const {
    return m_showWord.checkState() == Qt::Checked;
}

bool WindowContext::notFoundEntryTicked() const {
    return m_notFoundEntry.checkState() == Qt::Checked;
}

bool WindowContext::stressTicked() const {
    return m_stress && m_stress->checkState() == Qt::Checked;
}
