#include "engine/TweakTables.h"

using platform::Hive;

namespace TweakTables {

const VisualTweak kVisualTweaks[4] = {
    {42, "正在关闭透明效果...",
     {Hive::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", "EnableTransparency",
      nullptr, 0, TweakCondition::Windows10OrLater, "透明效果"}},
    {44, "正在加速菜单响应...",
     {Hive::CurrentUser, "Control Panel\\Desktop", "MenuShowDelay", "0", 0, TweakCondition::Always, "菜单显示延迟"}},
    {46, "正在关闭窗口动画...",
     {Hive::CurrentUser, "Control Panel\\Desktop\\WindowMetrics", "MinAnimate", "0", 0, TweakCondition::Always,
      "窗口动画"}},
    {48, "正在优化任务栏...",
     {Hive::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", "TaskbarAnimations",
      nullptr, 0, TweakCondition::Always, "任务栏动画"}},
};

const ServiceTweak kServices[6] = {
    {"Fax", false, false, KeepWhen::Never, nullptr},
    {"AJRouter", true, true, KeepWhen::Never, nullptr},
    {"PhoneSvc", true, true, KeepWhen::Never, nullptr},
    {"PrintWorkflow", true, true, KeepWhen::VirtualPrinter, "C5 跳过：检测到虚拟打印机，保留 PrintWorkflow"},
    {"WbioSrvc", true, true, KeepWhen::BiometricOrNoBattery, "C6 跳过：台式机不需要生物识别服务"},
    {"DoSvc", true, true, KeepWhen::DomainJoined, "C7 跳过：域环境保留传递优化"},
};

const LegacyServiceTweak kLegacyServices[14] = {
    {"TabletInputService", false}, {"stisvc", false},         {"wisvc", false},           {"RetailDemo", true},
    {"RemoteRegistry", false},     {"lfsvc", false},          {"MapsBroker", true},       {"dmwappushservice", true},
    {"WpcMonSvc", true},           {"SCardSvr", false},       {"ScDeviceEnum", false},    {"seclogon", false},
    {"SharedAccess", false},       {"sshd", false},
};

const TelemetryTask kTelemetryTasks[5] = {
    {"\\Microsoft\\Windows\\Application Experience\\", "Microsoft Compatibility Appraiser"},
    {"\\Microsoft\\Windows\\Application Experience\\", "ProgramDataUpdater"},
    {"\\Microsoft\\Windows\\Customer Experience Improvement Program\\", "Consolidator"},
    {"\\Microsoft\\Windows\\Customer Experience Improvement Program\\", "UsbCeip"},
    {"\\Microsoft\\Windows\\DiskDiagnostic\\", "Microsoft-Windows-DiskDiagnosticDataCollector"},
};

const RegistryTweak kCeipValue = {Hive::LocalMachine, "SOFTWARE\\Microsoft\\SQMClient\\Windows", "CEIPEnable",
                                  nullptr, 0, TweakCondition::Always, "客户体验改善计划"};

const RegistryTweak kPrivacyValues[5] = {
    {Hive::LocalMachine, "SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection", "AllowTelemetry", nullptr, 0,
     TweakCondition::NotWindows7, "遥测数据收集"},
    {Hive::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo", "Enabled", nullptr, 0,
     TweakCondition::Always, "广告标识"},
    {Hive::LocalMachine, "SOFTWARE\\Policies\\Microsoft\\Windows\\Windows Search", "AllowCortana", nullptr, 0,
     TweakCondition::Windows10OrLater, "Cortana"},
    {Hive::LocalMachine, "SOFTWARE\\Policies\\Microsoft\\Windows\\System", "EnableActivityFeed", nullptr, 0,
     TweakCondition::Always, "活动历史记录"},
    {Hive::LocalMachine,
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\userAccountInformation",
     "Value", "Deny", 0, TweakCondition::Always, "应用访问账户信息"},
};

QVector<const RegistryTweak*> registryTweaks()
{
    QVector<const RegistryTweak*> tweaks;
    for (const auto& visual : kVisualTweaks)
        tweaks.append(&visual.value);
    tweaks.append(&kCeipValue);
    for (const auto& privacy : kPrivacyValues)
        tweaks.append(&privacy);
    return tweaks;
}

} // namespace TweakTables
