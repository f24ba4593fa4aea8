#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A tiny web server on this computer for the program's requests: it answers
// every GET with a chosen status and body, closes the connection at once, or
// never answers.
class LocalHttpServer : public QObject
{
public:
    enum class Behaviour { Answer, CloseAtOnce, NeverAnswer };

    LocalHttpServer();

    void answer(int status, const QByteArray& body);
    void closeAtOnce() { m_behaviour = Behaviour::CloseAtOnce; }
    void neverAnswer() { m_behaviour = Behaviour::NeverAnswer; }

    // "http://127.0.0.1:port"
    QString address() const;
    // The paths asked for, in order.
    QStringList requestedPaths;
    // Connections accepted and still open, the unanswered ones among them.
    int openConnections() const;

    // An address on this computer where nothing listens: connecting is refused at once.
    static QString refusingAddress();

private:
    void accept();
    void read(QTcpSocket* socket);

    // Before the server, whose connections remove themselves from it when they go.
    QHash<QTcpSocket*, QByteArray> m_received; // request bytes read so far, per connection
    QTcpServer m_server;
    Behaviour m_behaviour = Behaviour::Answer;
    int m_status = 200;
    QByteArray m_body;
};
