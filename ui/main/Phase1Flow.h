#pragma once

#include "ui/main/Phase1Result.h"

#include <QObject>

class OptimizeCore;
class ProgressPage;
class QThread;

// One phase-1 run at a time: the engine on a worker thread of its own, talked to only through queued
// signals, and the figures it leaves behind. The progress page plays the steps; once it has played the last
// one, finish() reads the figures and releases the engine and its thread.
class Phase1Flow : public QObject {
    Q_OBJECT

public:
    explicit Phase1Flow(ProgressPage* progress, QObject* parent = nullptr);
    ~Phase1Flow() override;

    bool isWorking() const { return thread != nullptr; }
    QThread* workerThread() const { return thread; }
    const Phase1Result& result() const { return lastResult; }

    // Starts a run unless one is working.
    void start();
    // The demonstration's sample stands in for a run.
    void showDemoResult();
    // Ends a working run at once (the window is closing) and reports its end like any other.
    void stop();

signals:
    void resultReady();
    // The engine gave up; the progress page is still shown and the worker not yet released.
    void failed(const QString& message);
    // The worker is released: a run that was working is over, whatever its outcome.
    void ended();

private:
    void onEngineFinished();
    void finish();
    void onEngineError(const QString& message);
    void stopWorker();

    ProgressPage* const progress;
    OptimizeCore* core = nullptr;
    QThread* thread = nullptr;
    Phase1Result lastResult;
};
