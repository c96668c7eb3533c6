#pragma once

#include "engine/SystemChanges.h"
#include "engine/WindowsVersion.h"
#include "platform/Platform.h"

#include <QObject>
#include <QString>
#include <QStringList>

struct CleanResult;

// What the phase-1 stages share during one run: the figures they add to, the machine facts the environment
// check records, the system-change primitives and the signals the run reports through. The pipeline that
// runs the stages and then the analysis (OptimizeCore, a layer above) builds on it, so no stage knows the
// analysis.
class StageCore : public QObject {
    Q_OBJECT

public:
    explicit StageCore(platform::Platform& platform = platform::current());

    int cleanedMB = 0;
    int freedMemoryMB = 0;
    int junkFilesCount = 0;
    int startupFasterSeconds = 0;
    int startupItemsCount = 0;
    int uninstallResidueCount = 0;
    bool fastStartupEnabled = false;
    bool keepHibernation = false;
    bool hibernationTurnedOff = false;
    QString fastStartupReason;
    QString hibernationReason;
    QString pagefileAdvice;
    QString restoreAdvice;
    int storageFreedMB = 0;
    int osMajor = 0;
    int osMinor = 0;
    int osBuild = 0;
    bool hasBattery = false;
    bool onBattery = false;
    int batteryPercent = -1;
    bool isDomainJoined = false;
    QString systemDrive;
    bool isDualBoot = false;

    // The engine's stages, in pipeline order. Each is a small class of its own; these members run them.
    bool checkEnvironment(QString& refusal);
    int cleanJunkFiles(const QString& drive);
    int optimizeMemory();
    void applySystemTweaks();
    void applyPrivacyTweaks();
    void analyzeStorage(const QString& drive);

    // The system-change primitives the stages share (see SystemChanges and DirectoryCleaner). The cleaners
    // return the bytes of the files they really deleted and add those files to junkFilesCount.
    qint64 cleanDirectory(const QString& path, const QStringList& filters);
    qint64 cleanDirectoryOlderThan(const QString& path, const QStringList& filters);
    void logItemFreed(const QString& label, qint64 before, qint64 runningTotal);
    void setRegistryDword(platform::Hive root, const QString& subKey, const QString& name, quint32 value);
    void setUserRegistryString(const QString& subKey, const QString& name, const QString& text);
    void setRegistryString(platform::Hive root, const QString& subKey, const QString& name, const QString& text);
    bool stopServiceAndWait(const QString& name);
    ServiceDisable disableService(const QString& name);
    void startService(const QString& name);
    quint32 serviceState(const QString& name);
    bool isProcessRunning(const QString& name);

    static constexpr qint64 kBytesPerMB = 1048576;

    // Windows version tests used by every stage.
    WindowsVersion version() const { return {osMajor, osMinor, osBuild}; }
    bool isWindows7() const { return version().isWindows7(); }
    bool isWindows8OrLater() const { return version().isWindows8OrLater(); }
    bool isWindows10OrLater() const { return version().isWindows10OrLater(); }

    // The machine the stages change: during a run, the one that records each change for undoing.
    platform::Platform& machine() const { return *machine_; }

signals:
    void progressUpdated(int step, int percent, QString statusText);
    void optimizationFinished(int cleanedMB, int freedMemoryMB, int junkFilesCount, int startupFasterSeconds,
                              int startupItemsCount);
    void errorOccurred(QString errorMsg);

protected:
    platform::Platform& platform_;
    platform::Platform* machine_;

private:
    static void logProtectedSkip(const QString& path, const CleanResult& result);
};
