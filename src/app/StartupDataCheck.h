// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class WindowContext;

// Reads the built-in dictionary in the background once the window shows, so that the first run does not wait for
// it, and says at once when its data cannot be used: a damaged, empty or missing data file is named at start-up,
// not first when "Start Splitting" is pressed. The window goes on; a run then says the same again.
class StartupDataCheck : public QObject {
    Q_OBJECT
public:
    explicit StartupDataCheck(WindowContext& window, QObject* parent = nullptr);

    // Starts the reading on another thread and returns at once; the message, if any, comes through the message loop.
    void start();

signals:
    // The reading has ended, and its message (if any) was shown.
    void finished();

private:
    void conclude(const QString& failure);

    WindowContext& m_window;
};
