#include "engine/StorageAnalyzer.h"

#include "engine/ConsoleTool.h"
#include "engine/DiskMaintenance.h"
#include "engine/FolderSize.h"
#include "engine/StageCore.h"
#include "log/RunLogger.h"
#include "text/PlatformText.h"

namespace {

constexpr int kStep = 5;
constexpr int kGiBShift = 30;

} // namespace

StorageAnalyzer::StorageAnalyzer(StageCore& core)
    : core_(core)
{
}

void StorageAnalyzer::run(const QString& drive)
{
    progress(76, QStringLiteral("正在分析存储配置..."));
    StorageFacts facts;
    const bool measured = measure(drive, facts);
    if (core_.isWindows8OrLater() && measured) {
        adopt(StorageDecision::decide(facts));
        if (core_.fastStartupEnabled)
            enableFastStartup();
        else if (!core_.keepHibernation)
            switchHibernationOff(drive, facts.ramGB);
        logDecision();
    } else if (!core_.isWindows8OrLater()) {
        engineLog(QStringLiteral("  存储决策: 未作决策（Windows 7 不调整快速启动和休眠，保持现有设置）"));
    } else {
        engineLog(QStringLiteral("  存储决策: 未作决策（无法读取内存或系统盘容量，保持现有设置）"));
    }

    progress(80, QStringLiteral("正在检查虚拟内存配置..."));
    reportPagefile(drive);

    progress(82, QStringLiteral("正在检查系统还原设置..."));
    reportRestore(drive);

    DiskMaintenance(core_).run(drive);
    progress(85, QStringLiteral("磁盘维护完成"));
}

bool StorageAnalyzer::measure(const QString& drive, StorageFacts& facts) const
{
    platform::MemoryStatus memory;
    platform::DiskSpace space;
    platform::SystemInfo& system = core_.machine().systemInfo;
    if (!platform::succeeded(system.memoryStatus(memory)) ||
        !platform::succeeded(system.diskSpace(toWString(drive + QLatin1Char('\\')), space)))
        return false;
    facts.ramGB = static_cast<qint64>(memory.totalPhys >> kGiBShift);
    facts.totalGB = static_cast<qint64>(space.totalBytes >> kGiBShift);
    facts.freeGB = static_cast<qint64>(space.freeBytesAvailable >> kGiBShift);
    facts.dualBoot = core_.isDualBoot;
    facts.hasBattery = core_.hasBattery;
    facts.onBattery = core_.onBattery;
    return true;
}

void StorageAnalyzer::adopt(const StorageDecision& decision)
{
    core_.fastStartupEnabled = decision.fastStartupEnabled;
    core_.keepHibernation = decision.keepHibernation;
    core_.fastStartupReason = decision.fastStartupReason;
    core_.hibernationReason = decision.hibernationReason;
    core_.pagefileAdvice = decision.pagefileAdvice;
    core_.restoreAdvice = decision.restoreAdvice;
}

void StorageAnalyzer::enableFastStartup()
{
    const QString commands = QStringLiteral("powercfg /hibernate on + /h /type full");
    ConsoleTool::Outcome outcome = runPowercfg({QStringLiteral("/hibernate"), QStringLiteral("on")});
    if (outcome.succeeded())
        outcome = runPowercfg({QStringLiteral("/h"), QStringLiteral("/type"), QStringLiteral("full")});
    if (outcome.succeeded())
        engineLog(QStringLiteral("    D1 已启用快速启动: %1").arg(commands));
    else
        engineLog(QStringLiteral("    D1 启用快速启动失败: %1（%2）").arg(commands, outcome.failure()));
}

void StorageAnalyzer::switchHibernationOff(const QString& drive, qint64 ramGB)
{
    const int releasedMB = hibernationFileMB(drive, ramGB);
    const ConsoleTool::Outcome outcome = runPowercfg({QStringLiteral("/hibernate"), QStringLiteral("off")});
    if (!outcome.succeeded()) {
        engineLog(QStringLiteral("    H1 关闭休眠失败: powercfg /hibernate off（%1）").arg(outcome.failure()));
        return;
    }
    engineLog(QStringLiteral("    H1 已关闭休眠: powercfg /hibernate off"));
    core_.hibernationTurnedOff = true;
    core_.storageFreedMB += releasedMB;
    core_.cleanedMB += releasedMB;
}

int StorageAnalyzer::hibernationFileMB(const QString& drive, qint64 ramGB) const
{
    platform::FileEntry entry;
    const platform::Status status =
        core_.machine().files.attributes(toWString(drive + QStringLiteral("\\hiberfil.sys")), entry);
    if (status == platform::ErrorSuccess)
        return static_cast<int>(static_cast<qint64>(entry.size) / StageCore::kBytesPerMB);
    if (status == platform::ErrorFileNotFound || status == platform::ErrorPathNotFound)
        return 0;
    return StorageDecision::estimatedHibernationMB(ramGB);
}

void StorageAnalyzer::logDecision()
{
    const QString released = core_.hibernationTurnedOff
                                 ? QStringLiteral(" | 本次释放约 %1 MB").arg(core_.storageFreedMB)
                                 : QString();
    engineLog(QStringLiteral("  存储决策: 快速启动[%1]（%2）| 休眠[%3]（%4）| 虚拟内存[%5] | 系统还原[%6]%7")
                  .arg(core_.fastStartupEnabled ? QStringLiteral("启用") : QStringLiteral("不启用"),
                       core_.fastStartupReason,
                       core_.keepHibernation ? QStringLiteral("保持") : QStringLiteral("关闭"),
                       core_.hibernationReason, core_.pagefileAdvice, core_.restoreAdvice, released));
}

void StorageAnalyzer::reportPagefile(const QString& drive)
{
    platform::FileEntry entry;
    if (!platform::succeeded(
            core_.machine().files.attributes(toWString(drive + QStringLiteral("\\pagefile.sys")), entry)))
        return;
    engineLog(QStringLiteral("虚拟内存文件大小: %1 MB（建议：%2）")
                  .arg(static_cast<qint64>(entry.size) / StageCore::kBytesPerMB)
                  .arg(core_.pagefileAdvice));
}

void StorageAnalyzer::reportRestore(const QString& drive)
{
    const std::wstring folder = toWString(drive + QStringLiteral("\\System Volume Information"));
    platform::FileEntry entry;
    if (!platform::succeeded(core_.machine().files.attributes(folder, entry)) || !entry.isDirectory() || entry.isLink())
        return;
    const qint64 total = FolderSize::bytesBelow(core_.machine(), folder);
    if (total > 0)
        engineLog(QStringLiteral("系统还原占用: %1 MB（建议：%2）")
                      .arg(total / StageCore::kBytesPerMB)
                      .arg(core_.restoreAdvice));
}

ConsoleTool::Outcome StorageAnalyzer::runPowercfg(const QStringList& arguments)
{
    return ConsoleTool::run(core_.machine(), QStringLiteral("powercfg"), arguments, kPowercfgWaitMs);
}

void StorageAnalyzer::progress(int percent, const QString& text)
{
    emit core_.progressUpdated(kStep, percent, text);
}
