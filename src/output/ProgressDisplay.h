// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ProgressBar.h"

#include <QString>

// Where a long export shows how far it has come: a value from 0 to 100 and a text on the bar.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    virtual void setValue(double percent) = 0;
    virtual void setText(const QString& text) = 0;
};

// The main window's progress bar as a progress display; values above 100 are shown as 100.
class ProgressBarDisplay : public ProgressDisplay {
public:
    explicit ProgressBarDisplay(ProgressBar& bar) : m_bar(bar) {}
    void setValue(double percent) override { m_bar.setProgress(percent); }
    void setText(const QString& text) override { m_bar.setBarText(text); }

private:
    ProgressBar& m_bar;
};
