#include "engine/BoundedQuery.h"

#include <QThread>
#include <QTimer>

#include <memory>

BoundedQuery::BoundedQuery(QObject* parent)
    : QObject(parent)
    , timer(new QTimer(this))
{
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &BoundedQuery::onTimeout);
}

bool BoundedQuery::start(Call call, Done done, int limitMs)
{
    if (pending)
        return false;
    pending = true;
    pendingDone = std::move(done);
    const quint64 asked = ++question;
    auto answer = std::make_shared<QVariant>();
    QThread* worker = QThread::create([call = std::move(call), answer] { *answer = call(); });
    worker->setObjectName(QStringLiteral("BoundedQuery"));
    // The worker knows nothing of this object; the queued connection, dropped when this object goes,
    // carries the answer back once the thread has ended.
    connect(worker, &QThread::finished, this, [this, asked, answer] { onAnswer(asked, *answer); },
            Qt::QueuedConnection);
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    timer->start(limitMs);
    worker->start();
    return true;
}

void BoundedQuery::cancel()
{
    timer->stop();
    pending = false;
    pendingDone = nullptr;
}

void BoundedQuery::onAnswer(quint64 asked, const QVariant& answer)
{
    if (pending && asked == question)
        finish(Outcome::Answered, answer);
}

void BoundedQuery::onTimeout()
{
    if (pending)
        finish(Outcome::TimedOut, QVariant());
}

void BoundedQuery::finish(Outcome outcome, const QVariant& answer)
{
    timer->stop();
    pending = false;
    const Done done = std::move(pendingDone);
    pendingDone = nullptr;
    done(outcome, answer);
}
