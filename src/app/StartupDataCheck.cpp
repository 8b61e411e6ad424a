// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartupDataCheck.h"

#include "common/AppError.h"
#include "lexicon/BuiltInDictionary.h"
#include "ui/WindowContext.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

StartupDataCheck::StartupDataCheck(WindowContext& window, QObject* parent) : QObject(parent), m_window(window) {}

void StartupDataCheck::start() {
    // The check may outlive the window: the answer goes through the application object and finds the check only
    // while it exists (a QPointer is read on the window's thread alone).
    const QPointer<StartupDataCheck> self(this);
    QThreadPool::globalInstance()->start([self] {
        if (QCoreApplication::closingDown())
            return; // the program ended before the check began: nobody to tell
        QString failure;
        try {
            BuiltInDictionary::shared(); // throws AppError with the message when the data cannot be used
        } catch (const AppError& error) {
            failure = error.description();
        } catch (const std::exception& error) {
            failure = QString::fromLocal8Bit(error.what());
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, failure] {
                if (self)
                    self->conclude(failure);
            },
            Qt::QueuedConnection);
    });
}

void StartupDataCheck::conclude(const QString& failure) {
    if (!failure.isEmpty() && !m_window.closing())
        m_window.dialogs().messageBox(failure, m_window.applicationTitle(), MessageIcon::Critical);
    emit finished();
}
