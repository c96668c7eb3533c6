#pragma once

#include "analysis/ScanReportBundle.h"
#include "analysis/StepProgress.h"
#include "engine/StageCore.h"

// Phase 1 as one object per run: once started on a worker thread, it runs the engine's stages and then the
// analysis, from the environment check to the detailed report, and reports through its signals. It only
// composes: the stages know nothing of the analysis and the analysis nothing of the stages. The main window
// reads the five figures and the report after optimizationFinished has been delivered.
class OptimizeCore : public StageCore {
    Q_OBJECT

public:
    explicit OptimizeCore(platform::Platform& platform = platform::current());

    ScanReportBundle report;
    // The change record of the last run, empty when it recorded nothing.
    QString changeRecordPath;

    // The analysis steps of the pipeline, after the engine's stages.
    int analyzeStartupItems();
    int countUninstallResidue();
    void runDetailedAnalysis();

public slots:
    void startOptimize();

private:
    void runPipeline();
    void copyStorageDecisions();
    StepProgress progress();
};
