// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded into the real program by end-to-end tests (LD_PRELOAD), which have no mouse: once a window is shown,
// presses the button whose object name is in PARVENNA_TEST_PRESS, once. The program itself has no such hook.
#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

void pressOnceShown(const QString& name) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* button = window->isVisible() ? window->findChild<QPushButton*>(name) : nullptr;
            if (!button)
                continue;
            poll->stop();
            poll->deleteLater();
            button->click();
            return;
        }
    });
    poll->start(50);
}

// Runs while the application object is being made: the rest waits for its message loop.
void scheduleThePress() {
    const QString name = qEnvironmentVariable("PARVENNA_TEST_PRESS");
    if (!name.isEmpty())
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [name] { pressOnceShown(name); }, Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(scheduleThePress)
