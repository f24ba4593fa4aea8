#include "support/LocalHttpServer.h"

#include <QTcpSocket>
#include <stdexcept>

LocalHttpServer::LocalHttpServer()
{
    if (!m_server.listen(QHostAddress::LocalHost))
        throw std::runtime_error("the local web server cannot listen: " +
                                 m_server.errorString().toStdString());
    connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
}

void LocalHttpServer::answer(int status, const QByteArray& body)
{
    m_behaviour = Behaviour::Answer;
    m_status = status;
    m_body = body;
}

QString LocalHttpServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

int LocalHttpServer::openConnections() const
{
    int open = 0;
    for (const QTcpSocket* socket : m_server.findChildren<QTcpSocket*>())
        if (socket->state() == QAbstractSocket::ConnectedState)
            ++open;
    return open;
}

QString LocalHttpServer::refusingAddress()
{
    // A port just given back by the system has no listener.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

void LocalHttpServer::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (m_behaviour == Behaviour::CloseAtOnce) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_received.remove(socket); });
    }
}

void LocalHttpServer::read(QTcpSocket* socket)
{
    QByteArray& received = m_received[socket];
    received += socket->readAll();
    if (!received.contains("\r\n\r\n"))
        return; // the request's head is not complete yet
    // "GET /path HTTP/1.1"
    requestedPaths << QString::fromLatin1(received.split(' ').value(1));
    m_received.remove(socket);
    if (m_behaviour == Behaviour::NeverAnswer)
        return;
    const QByteArray reason = m_status == 200 ? "OK" : "Error";
    socket->write("HTTP/1.1 " + QByteArray::number(m_status) + ' ' + reason +
                  "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(m_body.size()) +
                  "\r\nConnection: close\r\n\r\n" + m_body);
    socket->disconnectFromHost();
}
