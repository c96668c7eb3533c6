#include "updater/NetworkFileSource.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

NetworkFileSource::NetworkFileSource(const QUrl& base) : base_(base) {}

QUrl NetworkFileSource::urlOf(const QString& version, const QString& relativePath) const
{
    QString path = base_.path(QUrl::FullyEncoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += QStringLiteral("releases/") + QString::fromLatin1(QUrl::toPercentEncoding(version));
    for (const QString& part : relativePath.split(QLatin1Char('/')))
        path += QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(part));
    QUrl url = base_;
    url.setPath(path, QUrl::StrictMode);
    url.setQuery(QString());
    return url;
}

bool NetworkFileSource::fetch(const QString& version, const QString& relativePath, qint64 maxBytes, QIODevice& sink,
                              const Received& received, QString& error)
{
    return download(urlOf(version, relativePath), relativePath, maxBytes, sink, received, error);
}

bool NetworkFileSource::download(const QUrl& url, const QString& label, qint64 maxBytes, QIODevice& sink,
                                 const Received& received, QString& error)
{
    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setTransferTimeout(kStallMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network.get(request);
    qint64 written = 0;
    bool stopped = false;
    const auto drain = [&] {
        if (stopped)
            return;
        const QByteArray chunk = reply->read(maxBytes - written + 1);
        written += chunk.size();
        if (written > maxBytes || sink.write(chunk) != chunk.size() || !received(written)) {
            stopped = true;
            reply->abort();
        }
    };
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    drain();
    const bool whole = !stopped && reply->error() == QNetworkReply::NoError;
    if (written > maxBytes)
        error = QStringLiteral("服务器发来的 %1 比文件清单写的大。").arg(label);
    else if (!whole)
        error = QStringLiteral("下载 %1 时网络中断或服务器拒绝了请求（%2）。").arg(label, reply->errorString());
    delete reply;
    return whole;
}
