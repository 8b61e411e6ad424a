// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <csignal>

class QSocketNotifier;
class QWidget;

// The signals that ask the program to end: SIGTERM (a logout, kill), SIGINT (Ctrl+C in a terminal), SIGHUP (the
// terminal went away). Each ends the program as closing its window does: the window gets its close request
// (the word list is saved, a running lookup stops, saves the quota and removes its run folder and children),
// then every message loop ends, also one in a message box or in a wait for a child.
//
// The handler only writes the signal's number into a pipe; the rest happens in the message loop, where it is
// safe. A signal the program was started with ignored (nohup, a background job) stays ignored. One instance at
// a time; the earlier handling comes back when it is destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

    // window: the window to close on a signal, then the loops end; none: only received() is emitted.
    explicit TerminationSignals(QWidget* window = nullptr, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the handlers could not be put in place (no pipe, or another instance is alive).
    bool active() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPipe();
    void endProgram();

    QPointer<QWidget> m_window;
    QSocketNotifier* m_notifier = nullptr;
    std::array<int, 2> m_pipe{-1, -1};
    std::array<struct sigaction, kSignals.size()> m_previous{};
    std::array<bool, kSignals.size()> m_installed{};
    bool m_ending = false;
};
