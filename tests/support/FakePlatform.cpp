// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"

#include "common/AppError.h"

#include <QTime>

void FakeDialogs::messageBox(const QString& text, const QString& title, MessageIcon icon) {
    boxes.append({text, title, icon});
    if (onMessage)
        onMessage(boxes.last());
}

QString FakeDialogs::inputBox(const QString& prompt, const QString& title) {
    prompts << prompt + QLatin1Char('|') + title;
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

void FakeDialogs::showOpen(CommonDialog& dialog) {
    fileRequests.append({false, dialog.title, dialog.filter, dialog.flags, dialog.fileName});
    dialog.fileName = fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

void FakeDialogs::showSave(CommonDialog& dialog) {
    fileRequests.append({true, dialog.title, dialog.filter, dialog.flags, dialog.fileName});
    dialog.fileName = fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool FakeDialogs::question(const QString& text, const QString& title) {
    boxes.append({text, title, MessageIcon::Question});
    return !questionAnswers.isEmpty() && questionAnswers.dequeue();
}

QStringList FakeDialogs::texts() const {
    QStringList result;
    for (const Box& box : boxes)
        result << box.text;
    return result;
}

QStringList FakeDialogs::errorReports() const {
    QStringList result;
    for (const Box& box : boxes)
        if (box.title == QStringLiteral("Application Error"))
            result << box.text;
    return result;
}

double FakeClock::secondsSinceMidnight() const {
    if (seconds < 0)
        return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const double reading = seconds;
    seconds += stepPerReading;
    return reading;
}

void FakeShell::openAddress(const QString& address) {
    if (fail)
        throw AppError::withText(QStringLiteral("cannot open"));
    opened << address;
}

void FakeShell::startDetached(const QString& program, const QStringList& arguments) {
    if (fail)
        throw AppError::fileNotFound();
    started << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
}
