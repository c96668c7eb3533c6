#include "support/LoopbackHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace {

QByteArray reason(int status)
{
    return status == 200   ? QByteArrayLiteral("OK")
           : status == 302 ? QByteArrayLiteral("Found")
                           : QByteArrayLiteral("Status");
}

QByteArray head(int status, const QList<QByteArray>& headers)
{
    QByteArray text = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    for (const QByteArray& header : headers)
        text += header + "\r\n";
    return text + "Connection: close\r\n\r\n";
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer()
{
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, &LoopbackHttpServer::onNewConnection);
}

void LoopbackHttpServer::route(const QByteArray& path, const Route& answer)
{
    routes.insert(path, answer);
}

QUrl LoopbackHttpServer::url(const QByteArray& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(QString::fromLatin1(path)));
}

quint16 LoopbackHttpServer::refusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void LoopbackHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void LoopbackHttpServer::onReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = pending[socket];
    buffer += socket->readAll();
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.clear();
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request{requestLine.value(0), requestLine.value(1), {}};
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines.at(i).indexOf(':');
        if (colon > 0)
            request.headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
    }
    received.append(request);
    const QByteArray path =
        request.target.left(request.target.indexOf('?') < 0 ? request.target.size() : request.target.indexOf('?'));
    answer(socket, routes.value(path, Route{Kind::Answer, 404, QByteArray(), 0}));
}

void LoopbackHttpServer::answer(QTcpSocket* socket, const Route& route)
{
    const QByteArray length = "Content-Length: " + QByteArray::number(route.body.size());
    switch (route.kind) {
    case Kind::Silent:
        return;
    case Kind::Redirect:
        socket->write(head(302, {"Location: " + route.body, "Content-Length: 0"}));
        break;
    case Kind::Drip:
        socket->write(head(route.status, {"Content-Type: application/json", length}));
        drip(socket, route.body, route.dripMs);
        return;
    case Kind::Answer:
        socket->write(head(route.status, {"Content-Type: application/json", length}) + route.body);
        break;
    }
    socket->disconnectFromHost();
}

void LoopbackHttpServer::drip(QTcpSocket* socket, const QByteArray& body, int dripMs)
{
    auto* timer = new QTimer(socket);
    auto sent = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent] {
        if (*sent >= body.size()) {
            timer->stop();
            socket->disconnectFromHost();
            return;
        }
        socket->write(body.mid((*sent)++, 1));
    });
    timer->start(dripMs);
}
