#include "engine/BootConfiguration.h"

#include "engine/ConsoleTool.h"
#include "engine/StageCore.h"
#include "log/RunLogger.h"
#include "text/PlatformText.h"

#include <QDateTime>

namespace {

constexpr int kBackupWaitMs = 10000;
constexpr int kCommandWaitMs = 5000;
constexpr int kMostBackupsPerSecond = 100;

} // namespace

BootConfiguration::BootConfiguration(StageCore& core)
    : core_(core)
{
}

QString BootConfiguration::backupFileTemplate()
{
    return QStringLiteral("%WINDIR%\\bcd_backup_") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")) + QStringLiteral(".bcd");
}

void BootConfiguration::apply()
{
    backUp();

    const QString quietBoot = QStringLiteral("bcdedit /set {current} quietboot on");
    const ConsoleTool::Outcome logo =
        run({QStringLiteral("/set"), QStringLiteral("{current}"), QStringLiteral("quietboot"), QStringLiteral("on")},
            kCommandWaitMs);
    if (logo.succeeded())
        engineLog(QStringLiteral("    D2 已执行: %1").arg(quietBoot));
    else
        engineLog(QStringLiteral("    D2 失败: %1（%2）").arg(quietBoot, logo.failure()));

    const QString timeout = core_.isDualBoot ? QStringLiteral("5") : QStringLiteral("0");
    const QString menu = QStringLiteral("bcdedit /timeout %1（双系统:%2）")
                             .arg(timeout, core_.isDualBoot ? QStringLiteral("是") : QStringLiteral("否"));
    const ConsoleTool::Outcome delay = run({QStringLiteral("/timeout"), timeout}, kCommandWaitMs);
    if (delay.succeeded())
        engineLog(QStringLiteral("    D3 已执行: %1").arg(menu));
    else
        engineLog(QStringLiteral("    D3 失败: %1（%2）").arg(menu, delay.failure()));
}

void BootConfiguration::backUp()
{
    const QString backup = freeBackupPath(expand(backupFileTemplate()));
    const ConsoleTool::Outcome outcome = run({QStringLiteral("/export"), backup}, kBackupWaitMs);
    platform::FileEntry written;
    // Only a file that is really there is named: the export may fail without a word.
    if (outcome.succeeded() && platform::succeeded(core_.machine().files.attributes(toWString(backup), written)))
        engineLog(QStringLiteral("    D2/D3 启动配置备份: %1").arg(backup));
    else
        engineLog(QStringLiteral("    D2/D3 启动配置备份失败（%1）")
                      .arg(outcome.succeeded() ? QStringLiteral("未生成备份文件") : outcome.failure()));
}

// A second run within the same second must not overwrite the only backup: "_2", "_3"... before ".bcd".
QString BootConfiguration::freeBackupPath(const QString& path) const
{
    const QString stem = path.left(path.size() - 4);
    QString candidate = path;
    for (int suffix = 2; suffix <= kMostBackupsPerSecond; ++suffix) {
        platform::FileEntry entry;
        const platform::Status status = core_.machine().files.attributes(toWString(candidate), entry);
        if (status == platform::ErrorFileNotFound || status == platform::ErrorPathNotFound)
            return candidate;
        candidate = stem + QStringLiteral("_%1.bcd").arg(suffix);
    }
    return candidate;
}

ConsoleTool::Outcome BootConfiguration::run(const QStringList& arguments, int waitMs)
{
    return ConsoleTool::run(core_.machine(), QStringLiteral("bcdedit"), arguments, waitMs);
}

QString BootConfiguration::expand(const QString& text) const
{
    std::wstring expanded;
    if (!platform::succeeded(core_.machine().systemInfo.expandEnvironment(toWString(text), expanded)))
        return text;
    return toQString(expanded);
}
