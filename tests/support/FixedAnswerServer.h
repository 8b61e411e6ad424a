// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTcpServer>
#include <QTcpSocket>

// Answers every request on 127.0.0.1 with the same body: for answers our dictionary never gives. With the length
// unannounced the body ends where the connection does, as a hostile service may send it.
class FixedAnswerServer : public QTcpServer {
public:
    explicit FixedAnswerServer(QByteArray body, bool announceLength = true)
        : m_body(std::move(body)), m_announce(announceLength) {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    ++m_requests;
                    const QByteArray length =
                        m_announce ? "Content-Length: " + QByteArray::number(m_body.size()) + "\r\n" : QByteArray();
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nConnection: close\r\n" + length +
                                  "\r\n" + m_body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    int requests() const { return m_requests; }

private:
    QByteArray m_body;
    bool m_announce;
    int m_requests = 0;
};
