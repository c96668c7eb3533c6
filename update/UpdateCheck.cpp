#include "update/UpdateCheck.h"

#include "engine/BoundedQuery.h"
#include "update/UpdateReply.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

UpdateCheck::UpdateCheck(QNetworkAccessManager* manager, QObject* parent)
    : QObject(parent)
    , manager(manager)
    , deadline(new QTimer(this))
    , proxyQuery(new BoundedQuery(this))
{
    qRegisterMetaType<UpdateOffer>();
    deadline->setSingleShot(true);
    deadline->setInterval(kDeadlineMs);
    connect(deadline, &QTimer::timeout, this, &UpdateCheck::onDeadline);
}

void UpdateCheck::setTimeouts(int transferMs, int deadlineMs)
{
    transferTimeoutMs = transferMs;
    deadline->setInterval(deadlineMs);
}

bool UpdateCheck::isRunning() const
{
    return !reply.isNull() || proxyQuery->isPending();
}

void UpdateCheck::start(const UpdateConfig& config, const QString& version)
{
    if (isRunning())
        return;
    runningVersion = version;
    body.clear();
    tooLong = false;

    QUrl url = config.url;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("currentVersion"), version);
    query.addQueryItem(QStringLiteral("platform"), QStringLiteral("WINDOWS"));
    query.addQueryItem(QStringLiteral("channel"), QStringLiteral("STABLE"));
    url.setQuery(query);

    QNetworkRequest request(url);
    request.setRawHeader("X-Device-Code", config.deviceCode.toUtf8());
    // Qt follows a redirect only to the same or a safer scheme with this policy (never https to http).
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(transferTimeoutMs);

    deadline->start();
    // Offices reach the internet through the proxy Windows is set up with; use it like a browser would.
    // Finding it may mean a proxy auto-discovery on the network, so it is looked up off the GUI thread;
    // without an answer in time the request goes out directly.
    proxyQuery->start(
        [url] {
            const QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
            return QVariant::fromValue(proxies.value(0, QNetworkProxy(QNetworkProxy::NoProxy)));
        },
        [this, request](BoundedQuery::Outcome outcome, const QVariant& proxy) {
            send(request, outcome == BoundedQuery::Outcome::Answered ? proxy.value<QNetworkProxy>()
                                                                     : QNetworkProxy(QNetworkProxy::NoProxy));
        });
}

void UpdateCheck::send(const QNetworkRequest& request, const QNetworkProxy& proxy)
{
    manager->setProxy(proxy);
    reply = manager->get(request);
    // Qt's HTTP layer stops downloading when this buffer is full, so a flood never piles up in memory.
    reply->setReadBufferSize(kMaxBodyBytes + 1);
    connect(reply, &QNetworkReply::readyRead, this, &UpdateCheck::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &UpdateCheck::onFinished);
}

void UpdateCheck::onReadyRead()
{
    body += reply->read(kMaxBodyBytes + 1 - body.size());
    if (body.size() <= kMaxBodyBytes)
        return;
    tooLong = true;
    reply->abort();
}

void UpdateCheck::onDeadline()
{
    if (reply) {
        reply->abort();
        return;
    }
    if (!proxyQuery->isPending())
        return;
    proxyQuery->cancel();
    qDebug() << "Error: no proxy answer before the deadline";
    emit ended();
}

void UpdateCheck::onFinished()
{
    auto* finished = qobject_cast<QNetworkReply*>(sender());
    if (!finished || finished != reply)
        return;
    reply = nullptr;
    deadline->stop();
    finished->deleteLater();
    if (finished->error() != QNetworkReply::NoError || tooLong) {
        qDebug() << "Error:" << (tooLong ? QStringLiteral("answer longer than the limit") : finished->errorString());
        qDebug() << "HTTP Status:" << finished->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        qDebug() << "Response:" << body.left(256);
        emit ended();
        return;
    }
    body += finished->read(kMaxBodyBytes + 1 - body.size());
    const std::optional<UpdateOffer> offer =
        body.size() > kMaxBodyBytes ? std::nullopt : updatereply::parse(body, runningVersion);
    body.clear();
    if (offer)
        emit offered(*offer);
    emit ended();
}
