#include "engine/StageCore.h"

#include "engine/DirectoryCleaner.h"
#include "engine/EnvironmentCheck.h"
#include "engine/JunkCleaner.h"
#include "engine/MemoryOptimizer.h"
#include "engine/PrivacyTweaks.h"
#include "engine/StorageAnalyzer.h"
#include "engine/SystemChanges.h"
#include "engine/SystemTweaks.h"
#include "log/RunLogger.h"

StageCore::StageCore(platform::Platform& platform)
    : platform_(platform)
    , machine_(&platform)
{
}

bool StageCore::checkEnvironment(QString& refusal)
{
    return EnvironmentCheck(*this).run(refusal);
}

int StageCore::cleanJunkFiles(const QString& drive)
{
    return JunkCleaner(*this).run(drive);
}

int StageCore::optimizeMemory()
{
    return MemoryOptimizer(*this).run();
}

void StageCore::applySystemTweaks()
{
    SystemTweaks(*this).run();
}

void StageCore::applyPrivacyTweaks()
{
    PrivacyTweaks(*this).run();
}

void StageCore::analyzeStorage(const QString& drive)
{
    StorageAnalyzer(*this).run(drive);
}

void StageCore::setRegistryDword(platform::Hive root, const QString& subKey, const QString& name, quint32 value)
{
    SystemChanges(machine()).setRegistryDword(root, subKey, name, value);
}

void StageCore::setUserRegistryString(const QString& subKey, const QString& name, const QString& text)
{
    SystemChanges(machine()).setUserRegistryString(subKey, name, text);
}

void StageCore::setRegistryString(platform::Hive root, const QString& subKey, const QString& name,
                                     const QString& text)
{
    SystemChanges(machine()).setRegistryString(root, subKey, name, text);
}

bool StageCore::stopServiceAndWait(const QString& name)
{
    return SystemChanges(machine()).stopServiceAndWait(name);
}

ServiceDisable StageCore::disableService(const QString& name)
{
    return SystemChanges(machine()).disableService(name);
}

void StageCore::startService(const QString& name)
{
    SystemChanges(machine()).startService(name);
}

quint32 StageCore::serviceState(const QString& name)
{
    return SystemChanges(machine()).serviceState(name);
}

bool StageCore::isProcessRunning(const QString& name)
{
    return SystemChanges(machine()).isProcessRunning(name);
}

qint64 StageCore::cleanDirectory(const QString& path, const QStringList& filters)
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

qint64 StageCore::cleanDirectoryOlderThan(const QString& path, const QStringList& filters)
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

void StageCore::logProtectedSkip(const QString& path, const CleanResult& result)
{
    if (result.refusedProtected)
        engineLog(QStringLiteral("    跳过受保护目录 %1").arg(path));
}

void StageCore::logItemFreed(const QString& label, qint64 before, qint64 runningTotal)
{
    engineLog(QStringLiteral("  清理 [%1]: +%2 MB").arg(label).arg((runningTotal - before) / kBytesPerMB));
}
