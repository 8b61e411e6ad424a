// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The pipe's write end for the handler; -1 while no instance is alive.
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void writeSignalNumber(int number) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1); // full pipe: the byte is not needed
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QWidget* window, QObject* parent) : QObject(parent), m_window(window) {
    if (g_writeEnd != -1 || ::pipe2(m_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);

    struct sigaction action {};
    action.sa_handler = writeSignalNumber;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction current {};
        if (::sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue; // ignored when the program was started: stays so
        m_installed[i] = ::sigaction(kSignals[i], &action, &m_previous[i]) == 0;
    }
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (m_installed[i])
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    if (!active())
        return;
    delete m_notifier;
    g_writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void TerminationSignals::readPipe() {
    unsigned char numbers[16];
    ssize_t count = 0;
    bool any = false;
    while ((count = ::read(m_pipe[0], numbers, sizeof numbers)) > 0) {
        any = true;
        for (ssize_t i = 0; i < count; ++i)
            emit received(numbers[i]);
    }
    if (any)
        endProgram();
}

void TerminationSignals::endProgram() {
    if (!m_window || m_ending)
        return;
    m_ending = true;
    m_window->close();
    QCoreApplication::exit(0);
}
