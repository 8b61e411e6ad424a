// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StepTrap.h"

#include "common/AppError.h"
#include "common/ErrorReport.h"

#include <new>
#include <utility>

StepTrap::StepTrap(MessageSink& sink, QString location) : m_sink(sink), m_location(std::move(location)) {}

bool StepTrap::step(int number, FunctionRef<void()> action) {
    m_step = number;
    try {
        action();
        return true;
    } catch (const AppError& error) {
        report(error.description());
    } catch (const std::bad_alloc&) {
        report(QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        report(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

bool StepTrap::test(int number, FunctionRef<bool()> condition) {
    bool result = true;
    step(number, [&] { result = condition(); });
    return result;
}

void StepTrap::report(const QString& description) {
    ++m_reports;
    ErrorReport::show(m_sink, m_location, m_step, description);
}
