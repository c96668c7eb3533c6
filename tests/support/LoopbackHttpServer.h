#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 inside the test process, so network code is tested against real
// sockets without ever leaving the machine. Each path answers in one of a few ways, including the ways a
// broken or hostile server behaves: never answering, dripping bytes, redirecting.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class Kind {
        Answer,   // status line, JSON headers and the body at once
        Silent,   // accepts the connection and never writes
        Drip,     // headers, then one byte of the body every dripMs
        Redirect, // 302 to `body` (an absolute or relative address)
    };

    struct Route {
        Kind kind = Kind::Answer;
        int status = 200;
        QByteArray body;
        int dripMs = 1000;
    };

    struct Request {
        QByteArray method;
        QByteArray target;                     // path and query as sent
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    LoopbackHttpServer();

    void route(const QByteArray& path, const Route& route);
    QUrl url(const QByteArray& path) const;
    const QList<Request>& requests() const { return received; }

    // A loopback port that nothing listens on.
    static quint16 refusedPort();

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Route& route);
    void drip(QTcpSocket* socket, const QByteArray& body, int dripMs);

    QTcpServer server;
    QHash<QByteArray, Route> routes;
    QHash<QTcpSocket*, QByteArray> pending;
    QList<Request> received;
};
