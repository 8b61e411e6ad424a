// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include "common/Settings.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>
#include <QWidget>

namespace {

constexpr int kRetryMs = 100;

} // namespace

SingleInstance::SingleInstance(const QString& settingsFolder, QObject* parent)
    : QObject(parent), m_folder(settingsFolder) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::settingsFolder() {
    return QFileInfo(QSettings(Settings::kApplication, Settings::kSection).fileName()).absolutePath();
}

// The socket lives in the user's own runtime folder (mode 0700), named after the settings folder it guards: a
// settings folder's path may be longer than a socket's path may be.
QString SingleInstance::socketName() const {
    const QByteArray folder = QFileInfo(m_folder).absoluteFilePath().toUtf8();
    const QString digest = QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex());
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/parvenna-") +
           digest.left(24);
}

bool SingleInstance::claim() {
    QDir().mkpath(m_folder);
    m_lock = std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + kLockName);
    m_lock->setStaleLockTime(0); // stale only when its process has ended, however long a window stays open
    if (m_lock->tryLock(0)) {
        listen();
        return true;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return true; // no lock can be made here: the window opens as it always did
    if (!askRunningWindow())
        QTextStream(stderr) << "Parvenna is running already; its window did not answer and was not brought to the "
                               "front.\n";
    return false;
}

void SingleInstance::listen() {
    const QString name = socketName();
    QLocalServer::removeServer(name); // what a killed window left; the lock says that no window uses it
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serveRequest);
    m_server->listen(name); // without it a later start still ends; it only cannot raise this window
}

void SingleInstance::serveRequest() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->readAll().contains(kRaiseRequest.trimmed()))
                return;
            if (m_window)
                bringToFront(m_window);
            socket->write("ok\n");
            socket->disconnectFromServer();
        });
    }
}

// The running window may hold the lock a moment before it listens: the request is tried again until the limit.
bool SingleInstance::askRunningWindow() const {
    const QDeadlineTimer deadline(kAskLimitMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketName());
        if (socket.waitForConnected(int(deadline.remainingTime())) && socket.write(kRaiseRequest) > 0 &&
            socket.waitForBytesWritten(int(deadline.remainingTime()))) {
            socket.waitForReadyRead(int(deadline.remainingTime()));
            return true;
        }
        QThread::msleep(kRetryMs);
    }
    return false;
}

void SingleInstance::bringToFront(QWidget* window) {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
