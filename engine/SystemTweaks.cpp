#include "engine/SystemTweaks.h"

#include "engine/AdapterPowerSaving.h"
#include "engine/BootConfiguration.h"
#include "engine/ConsoleTool.h"
#include "engine/ServiceTweaks.h"
#include "engine/StageCore.h"
#include "engine/TweakTables.h"

namespace {

constexpr int kStep = 3;
constexpr int kPowerPlanWaitMs = 5000;

} // namespace

SystemTweaks::SystemTweaks(StageCore& core)
    : core_(core)
{
}

void SystemTweaks::run()
{
    for (const auto& tweak : TweakTables::kVisualTweaks) {
        if (!tweak.value.appliesTo(core_))
            continue;
        progress(tweak.percent, QString::fromUtf8(tweak.status));
        tweak.value.apply(core_);
    }

    progress(50, QStringLiteral("正在优化启动配置..."));
    BootConfiguration(core_).apply();

    progress(52, QStringLiteral("正在优化网络适配器电源管理..."));
    AdapterPowerSaving(core_).apply();

    progress(55, QStringLiteral("正在优化系统服务..."));
    ServiceTweaks(core_).apply();

    progress(60, QStringLiteral("正在优化电源计划..."));
    ConsoleTool::run(core_.machine(), QStringLiteral("powercfg"),
                     {QStringLiteral("/setactive"), QString::fromLatin1(kHighPerformanceScheme)}, kPowerPlanWaitMs);

    progress(64, QStringLiteral("系统设置优化完成"));
}

void SystemTweaks::progress(int percent, const QString& text)
{
    emit core_.progressUpdated(kStep, percent, text);
}
