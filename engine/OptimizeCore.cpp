#include "engine/OptimizeCore.h"

#include "analysis/AnalysisStep.h"
#include "analysis/StartupAnalyzer.h"
#include "engine/DirectoryCleaner.h"
#include "engine/EnvironmentCheck.h"
#include "engine/JunkCleaner.h"
#include "engine/MemoryOptimizer.h"
#include "engine/PrivacyTweaks.h"
#include "engine/StorageAnalyzer.h"
#include "engine/SystemChanges.h"
#include "engine/SystemTweaks.h"
#include "engine/undo/RunRecording.h"
#include "engine/UninstallResidueCounter.h"
#include "log/RunLogger.h"

OptimizeCore::OptimizeCore(platform::Platform& platform)
    : platform_(platform)
    , machine_(&platform)
{
}

void OptimizeCore::startOptimize()
{
    RunRecording recording(platform_, ChangeRecord::kPhaseOne);
    machine_ = &recording.machine();
    runPipeline();
    machine_ = &platform_;
    recording.logOutcome();
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

bool OptimizeCore::checkEnvironment(QString& refusal)
{
    return EnvironmentCheck(*this).run(refusal);
}

int OptimizeCore::cleanJunkFiles(const QString& drive)
{
    return JunkCleaner(*this).run(drive);
}

int OptimizeCore::optimizeMemory()
{
    return MemoryOptimizer(*this).run();
}

void OptimizeCore::applySystemTweaks()
{
    SystemTweaks(*this).run();
}

void OptimizeCore::applyPrivacyTweaks()
{
    PrivacyTweaks(*this).run();
}

void OptimizeCore::analyzeStorage(const QString& drive)
{
    StorageAnalyzer(*this).run(drive);
}

int OptimizeCore::analyzeStartupItems()
{
    return StartupAnalyzer(*this).run();
}

int OptimizeCore::countUninstallResidue()
{
    return UninstallResidueCounter(*this).run();
}

void OptimizeCore::runDetailedAnalysis()
{
    AnalysisStep(*this).run();
}

void OptimizeCore::setRegistryDword(platform::Hive root, const QString& subKey, const QString& name, quint32 value)
{
    SystemChanges(machine()).setRegistryDword(root, subKey, name, value);
}

void OptimizeCore::setUserRegistryString(const QString& subKey, const QString& name, const QString& text)
{
    SystemChanges(machine()).setUserRegistryString(subKey, name, text);
}

void OptimizeCore::setRegistryString(platform::Hive root, const QString& subKey, const QString& name,
                                     const QString& text)
{
    SystemChanges(machine()).setRegistryString(root, subKey, name, text);
}

bool OptimizeCore::stopServiceAndWait(const QString& name)
{
    return SystemChanges(machine()).stopServiceAndWait(name);
}

bool OptimizeCore::disableService(const QString& name)
{
    return SystemChanges(machine()).disableService(name);
}

void OptimizeCore::startService(const QString& name)
{
    SystemChanges(machine()).startService(name);
}

quint32 OptimizeCore::serviceState(const QString& name)
{
    return SystemChanges(machine()).serviceState(name);
}

bool OptimizeCore::isProcessRunning(const QString& name)
{
    return SystemChanges(machine()).isProcessRunning(name);
}

qint64 OptimizeCore::cleanDirectory(const QString& path, const QStringList& filters)
{
    const CleanResult result = DirectoryCleaner(machine()).clean(path, filters);
    logProtectedSkip(path, result);
    junkFilesCount += result.deleted;
    if (result.deleted > 0)
        engineLog(QStringLiteral("    清理目录 %1: 释放 %2 MB，删除 %3 个文件")
                      .arg(path)
                      .arg(result.bytes / kBytesPerMB)
                      .arg(result.deleted));
    return result.bytes;
}

qint64 OptimizeCore::cleanDirectoryOlderThan(const QString& path, const QStringList& filters)
{
    constexpr int kAgeLimitHours = 24;
    const qint64 cutOff = DirectoryCleaner::fileTimeSecondsAgo(kAgeLimitHours * 3600);
    const CleanResult result = DirectoryCleaner(machine()).clean(path, filters, cutOff);
    logProtectedSkip(path, result);
    junkFilesCount += result.deleted;
    if (result.deleted > 0)
        engineLog(QStringLiteral("    清理目录(限时%1h) %2: 释放 %3 MB，删除 %4 个文件")
                      .arg(kAgeLimitHours)
                      .arg(path)
                      .arg(result.bytes / kBytesPerMB)
                      .arg(result.deleted));
    return result.bytes;
}

void OptimizeCore::logProtectedSkip(const QString& path, const CleanResult& result)
{
    if (result.refusedProtected)
        engineLog(QStringLiteral("    跳过受保护目录 %1").arg(path));
}

void OptimizeCore::logItemFreed(const QString& label, qint64 before, qint64 runningTotal)
{
    engineLog(QStringLiteral("  清理 [%1]: +%2 MB").arg(label).arg((runningTotal - before) / kBytesPerMB));
}
