#pragma once

#include "phase2/OptItem.h"
#include "ui/phase2/ItemQuestions.h"

#include <QObject>
#include <QVector>

class BoundedQuery;
class FlowHost;
class Phase2Page;
class Phase2Runner;
struct ScanReportBundle;

// The phase-2 side of the window: the questions "H2" and "A2" ask when they are ticked, the execute request
// with the values chosen there, and closing while items execute. The runner is made on the first request.
class Phase2Flow : public QObject {
    Q_OBJECT

public:
    // The demonstration counts its sample restore points; the runner writes beside `appDir`.
    Phase2Flow(FlowHost& host, Phase2Page* page, bool demoMode, const QString& appDir, QObject* parent = nullptr);
    ~Phase2Flow() override;

    Phase2Runner* runner() const { return phase2Runner; }
    bool isRunning() const;

    // Without a counter the clean-up's own listing counts the points; the count runs on a worker thread.
    void setRestorePointCounter(ItemQuestions::RestorePointCounter counter);
    int restorePointsToKeep() const { return h2KeepN; }
    int eventLogSizeMB() const { return a2SizeMB; }
    void onSpecialConfirmRequested(const QString& itemId);

    // False when nothing started: a restore-point count still open, or the runner turned the items down.
    bool execute(const QVector<OptItem>& items, const ScanReportBundle& report);
    // True while items execute: the runner is asked to stop after the current item, and finished() tells
    // the window to close then.
    bool holdClose();

signals:
    void finished(bool closeWindow);

private:
    Phase2Runner* ensureRunner();
    void countRestorePoints();
    void onRestorePointsCounted(int restorePoints);

    FlowHost& host;
    Phase2Page* const page;
    const bool demoMode;
    const QString appDir;
    Phase2Runner* phase2Runner = nullptr;
    BoundedQuery* restorePointQuery;
    ItemQuestions::RestorePointCounter restorePointCounter;
    int h2KeepN = 1;
    int a2SizeMB = 256;
    bool closeAfterRun = false;
};
