#include "ui/main/Phase1Flow.h"

#include "phase1/OptimizeCore.h"
#include "ui/main/DemoSample.h"
#include "ui/main/WorkerThreadStop.h"
#include "ui/progress/ProgressPage.h"

#include <QThread>

Phase1Flow::Phase1Flow(ProgressPage* progress, QObject* parent)
    : QObject(parent)
    , progress(progress)
{
    connect(progress, &ProgressPage::optimizationFinished, this, &Phase1Flow::finish);
}

Phase1Flow::~Phase1Flow()
{
    stopWorker();
}

void Phase1Flow::start()
{
    if (thread)
        return;
    thread = new QThread(this);
    core = new OptimizeCore();
    connect(thread, &QThread::started, core, &OptimizeCore::startOptimize);
    connect(thread, &QThread::finished, core, &QObject::deleteLater);
    connect(core, &OptimizeCore::progressUpdated, progress, &ProgressPage::onProgressUpdate, Qt::QueuedConnection);
    connect(core, &OptimizeCore::optimizationFinished, this, &Phase1Flow::onEngineFinished, Qt::QueuedConnection);
    connect(core, &OptimizeCore::errorOccurred, this, &Phase1Flow::onEngineError, Qt::QueuedConnection);
    core->moveToThread(thread);
    thread->start();
}

void Phase1Flow::showDemoResult()
{
    lastResult = demoSample();
    emit resultReady();
}

void Phase1Flow::stop()
{
    if (!thread)
        return;
    stopWorker();
    emit ended();
}

void Phase1Flow::onEngineFinished()
{
    progress->onOptimizationDone();
}

void Phase1Flow::finish()
{
    progress->hide();
    lastResult = Phase1Result();
    if (core) {
        lastResult = {core->cleanedMB,         core->freedMemoryMB,     core->junkFilesCount,
                      core->startupFasterSeconds, core->startupItemsCount, core->report};
    }
    emit resultReady();
    stopWorker();
    emit ended();
}

void Phase1Flow::onEngineError(const QString& message)
{
    emit failed(message);
    progress->hide();
    stopWorker();
    emit ended();
}

void Phase1Flow::stopWorker()
{
    // The engine deletes itself when its thread ends (connected in start), so that it is released on its
    // own thread even when the thread outlives the wait.
    stopWorkerThread(thread);
    thread = nullptr;
    core = nullptr;
}
