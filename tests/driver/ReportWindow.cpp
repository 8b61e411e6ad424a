// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded into the real program by end-to-end tests (LD_PRELOAD) together with the press driver. With
// PARVENNA_TEST_REPORT set it prints, one line each on standard output: "shown" once the main window is visible,
// "minimised" after minimising it (with PARVENNA_TEST_MINIMISE set), "restored" when it leaves the minimised
// state, and "message: TEXT" for every message box, which it then closes. The program itself has no such hook.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

namespace {

void say(const QString& line) {
    QString text = line;
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

class WindowReporter : public QObject {
public:
    explicit WindowReporter(QObject* parent) : QObject(parent) {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, &WindowReporter::look);
        poll->start(50);
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange && watched == m_window && m_window && !m_window->isMinimized() &&
            m_minimised) {
            m_minimised = false;
            say(QStringLiteral("restored"));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void look() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                say(QStringLiteral("message: ") + box->text());
                box->done(QMessageBox::Ok);
            } else if (!m_window && window->objectName() == QLatin1String("Form1") && window->isVisible()) {
                m_window = window;
                say(QStringLiteral("shown"));
                if (qEnvironmentVariableIsSet("PARVENNA_TEST_MINIMISE")) {
                    m_minimised = true;
                    window->showMinimized();
                    say(QStringLiteral("minimised"));
                }
            }
        }
    }

    QWidget* m_window = nullptr;
    bool m_minimised = false;
};

void startReporting() {
    if (qEnvironmentVariableIsSet("PARVENNA_TEST_REPORT"))
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { new WindowReporter(QCoreApplication::instance()); },
            Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startReporting)
