#pragma once

#include "update/UpdateConfig.h"
#include "update/UpdateOffer.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

class BoundedQuery;
class QNetworkAccessManager;
class QNetworkProxy;
class QNetworkRequest;
class QNetworkReply;
class QTimer;

// One asynchronous question to the update service, through the system proxy found on a worker thread: a GET with the running version, the platform and the
// channel as query items and the device code as a header. The answer is read up to kMaxBodyBytes and
// checked (updatereply::parse); `offered` is emitted only for a newer version, and `ended` after every
// outcome. A server that is slow, silent or hostile costs at most kDeadlineMs and kMaxBodyBytes of memory;
// every failure ends silently apart from debug-output lines.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    // No byte moving for this long ends the request.
    static constexpr int kTransferTimeoutMs = 15000;
    // However the bytes trickle in, the request ends after this long.
    static constexpr int kDeadlineMs = 30000;
    static constexpr qint64 kMaxBodyBytes = 64 * 1024;
    static constexpr int kMaxRedirects = 5;

    explicit UpdateCheck(QNetworkAccessManager* manager, QObject* parent = nullptr);

    // Shorter limits for tests; the program uses the constants above.
    void setTimeouts(int transferTimeoutMs, int deadlineMs);

    // Sends the request unless one is still open (each check sends exactly one).
    void start(const UpdateConfig& config, const QString& runningVersion);
    // From start() until `ended`, the system proxy look-up included.
    bool isRunning() const;

signals:
    void offered(const UpdateOffer& offer);
    void ended();

private:
    void send(const QNetworkRequest& request, const QNetworkProxy& proxy);
    void onReadyRead();
    void onFinished();
    void onDeadline();

    QNetworkAccessManager* manager;
    QPointer<QNetworkReply> reply;
    QTimer* deadline;
    BoundedQuery* proxyQuery;
    QByteArray body;
    QString runningVersion;
    bool tooLong = false;
    int transferTimeoutMs = kTransferTimeoutMs;
};
