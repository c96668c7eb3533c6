#include "engine/BootConfiguration.h"

#include "engine/ConsoleTool.h"
#include "engine/OptimizeCore.h"
#include "engine/PlatformText.h"
#include "log/RunLogger.h"

#include <QDateTime>

namespace {

constexpr int kBackupWaitMs = 10000;
constexpr int kCommandWaitMs = 5000;

} // namespace

BootConfiguration::BootConfiguration(OptimizeCore& core)
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
    const QString backup = expand(backupFileTemplate());
    run({QStringLiteral("/export"), backup}, kBackupWaitMs);
    engineLog(QStringLiteral("    D2/D3 启动配置备份: %1").arg(backup));

    run({QStringLiteral("/set"), QStringLiteral("{current}"), QStringLiteral("quietboot"), QStringLiteral("on")},
        kCommandWaitMs);
    engineLog(QStringLiteral("    D2 已执行: bcdedit /set {current} quietboot on"));

    const QString timeout = core_.isDualBoot ? QStringLiteral("5") : QStringLiteral("0");
    run({QStringLiteral("/timeout"), timeout}, kCommandWaitMs);
    engineLog(QStringLiteral("    D3 已执行: bcdedit /timeout %1（双系统:%2）")
                  .arg(timeout, core_.isDualBoot ? QStringLiteral("是") : QStringLiteral("否")));
}

void BootConfiguration::run(const QStringList& arguments, int waitMs)
{
    ConsoleTool::run(core_.machine(), QStringLiteral("bcdedit"), arguments, waitMs);
}

QString BootConfiguration::expand(const QString& text) const
{
    std::wstring expanded;
    if (!platform::succeeded(core_.machine().systemInfo.expandEnvironment(toWString(text), expanded)))
        return text;
    return toQString(expanded);
}
