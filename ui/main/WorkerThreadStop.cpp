#include "ui/main/WorkerThreadStop.h"

#include <QThread>

void stopWorkerThread(QThread* thread)
{
    if (!thread)
        return;
    thread->quit();
    if (thread->wait(kWorkerStopWaitMs)) {
        thread->deleteLater();
        return;
    }
    thread->setParent(nullptr);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (thread->isFinished())
        thread->deleteLater();
}
