// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/FunctionRef.h"
#include "common/MessageSink.h"

#include <QString>

// Runs the numbered steps of a reporting procedure. A step that fails is reported with the procedure's
// location and the step's number, and the procedure goes on with its next step.
//
//     StepTrap trap{sink, "Form1.Form_Load"};
//     trap.step(100, [&] { applySkin(); });
//     if (trap.test(146, [&] { return !text.isEmpty(); })) { ... }
class StepTrap {
public:
    StepTrap(MessageSink& sink, QString location);

    // Runs one step; returns false when it failed (and was reported).
    bool step(int number, FunctionRef<void()> action);

    // Runs a test step. A test that fails is reported and counts as passed, so its guarded steps come next.
    bool test(int number, FunctionRef<bool()> condition);

    // Marks a step as entered without running anything (for steps that only hold a decision).
    void enter(int number) { m_step = number; }

    int currentStep() const { return m_step; }
    int reportCount() const { return m_reports; }
    const QString& location() const { return m_location; }

    // Reports a failure caught outside step() at the current step.
    void report(const QString& description);

private:
    MessageSink& m_sink;
    QString m_location;
    int m_step = 0;
    int m_reports = 0;
};
