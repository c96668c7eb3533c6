#include "phase1/OptimizeCore.h"

#include "analysis/AnalysisStep.h"
#include "analysis/StartupAnalyzer.h"
#include "analysis/UninstallResidueCounter.h"
#include "engine/undo/RunRecording.h"
#include "log/RunLogger.h"

OptimizeCore::OptimizeCore(platform::Platform& platform)
    : StageCore(platform)
{
}

void OptimizeCore::startOptimize()
{
    RunRecording recording(platform_, ChangeRecord::kPhaseOne);
    machine_ = &recording.machine();
    runPipeline();
    machine_ = &platform_;
    recording.logOutcome();
    changeRecordPath = recording.writtenPath();
}

void OptimizeCore::runPipeline()
{
    cleanedMB = 0;
    freedMemoryMB = 0;
    junkFilesCount = 0;
    startupFasterSeconds = 0;
    startupItemsCount = 0;

    emit progressUpdated(0, 0, QStringLiteral("正在检查系统环境..."));
    QString refusal;
    if (!checkEnvironment(refusal)) {
        emit errorOccurred(refusal);
        return;
    }
    emit progressUpdated(0, 5, QStringLiteral("环境正常，开始优化..."));

    emit progressUpdated(1, 10, QStringLiteral("正在清理系统缓存..."));
    cleanedMB = cleanJunkFiles(systemDrive);

    emit progressUpdated(2, 30, QStringLiteral("正在整理闲置内存..."));
    freedMemoryMB = optimizeMemory();

    emit progressUpdated(3, 40, QStringLiteral("正在调整系统设置..."));
    applySystemTweaks();

    emit progressUpdated(4, 65, QStringLiteral("正在优化隐私选项..."));
    applyPrivacyTweaks();

    emit progressUpdated(5, 75, QStringLiteral("正在优化磁盘性能..."));
    analyzeStorage(systemDrive);

    emit progressUpdated(6, 85, QStringLiteral("正在分析开机启动项..."));
    startupItemsCount = analyzeStartupItems();

    emit progressUpdated(6, 92, QStringLiteral("正在扫描卸载残留..."));
    uninstallResidueCount = countUninstallResidue();

    emit progressUpdated(6, 95, QStringLiteral("正在生成详细分析报告..."));
    runDetailedAnalysis();

    emit progressUpdated(6, 100, QStringLiteral("优化完成！"));
    engineLog(QStringLiteral("Phase1 完成汇总：清理 %1 MB | 释放内存 %2 MB | 清理文件 %3 个 | 开机提速 %4 秒 | 自启项 %5 个 | 卸载残留 %6 个")
                  .arg(cleanedMB)
                  .arg(freedMemoryMB)
                  .arg(junkFilesCount)
                  .arg(startupFasterSeconds)
                  .arg(startupItemsCount)
                  .arg(uninstallResidueCount));
    emit optimizationFinished(cleanedMB, freedMemoryMB, junkFilesCount, startupFasterSeconds, startupItemsCount);
}

int OptimizeCore::analyzeStartupItems()
{
    const int count = StartupAnalyzer(machine(), version(), progress()).run();
    startupFasterSeconds = count * StartupAnalyzer::kSecondsPerEntry;
    return count;
}

int OptimizeCore::countUninstallResidue()
{
    return UninstallResidueCounter(machine()).run();
}

void OptimizeCore::runDetailedAnalysis()
{
    report = ScanReportBundle();
    copyStorageDecisions();
    AnalysisStep(machine(), report, progress()).run();
}

void OptimizeCore::copyStorageDecisions()
{
    report.fastStartupEnabled = fastStartupEnabled;
    report.keepHibernation = keepHibernation;
    report.hibernationTurnedOff = hibernationTurnedOff;
    report.fastStartupReason = fastStartupReason;
    report.hibernationReason = hibernationReason;
    report.pagefileAdvice = pagefileAdvice;
    report.restoreAdvice = restoreAdvice;
    report.storageFreedMB = storageFreedMB;
    report.uninstallResidueCount = uninstallResidueCount;
}

StepProgress OptimizeCore::progress()
{
    return [this](int step, int percent, const QString& text) { emit progressUpdated(step, percent, text); };
}
