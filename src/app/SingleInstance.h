// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;
class QWidget;

// One window per user, so that the stored word list and the daily tally have one owner. The first start holds a
// lock file in the settings folder and listens on a local socket; a later start finds the lock held, asks the
// running window to come to the front and ends. A lock left by a process that has ended (killed, crashed) is taken
// over: the lock names its process, and a process that is gone holds nothing.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static inline const QString kLockName = QStringLiteral("Parvenna.lock");
    static inline const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");
    // How long a later start tries to reach the running window before it gives up and ends anyway.
    static constexpr int kAskLimitMs = 3000;

    explicit SingleInstance(const QString& settingsFolder, QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process may open the window: it holds the lock from now on (or the lock cannot be made at all,
    // as in a settings folder nobody can write). False when a running window holds it; that window was asked to
    // come to the front (when it does not answer within kAskLimitMs, standard error says so).
    bool claim();
    // The window that a later start brings to the front.
    void setWindow(QWidget* window) { m_window = window; }

    // The folder of the program's settings file.
    static QString settingsFolder();
    // Shows the window normal (not minimised), on top and active.
    static void bringToFront(QWidget* window);

private:
    QString socketName() const;
    void listen();
    void serveRequest();
    bool askRunningWindow() const; // false when the running window did not answer

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_window;
};
