#include "phase2/TcpAutoTuning.h"

#include "engine/ConsoleTool.h"

TcpAutoTuning::TcpAutoTuning(platform::Platform& machine)
    : machine_(machine)
{
}

ItemResult TcpAutoTuning::run()
{
    // netsh takes "name=value" as one word; split in two it is a syntax error.
    const auto outcome = ConsoleTool::run(machine_, QStringLiteral("netsh"),
                                          {QStringLiteral("interface"), QStringLiteral("tcp"), QStringLiteral("set"),
                                           QStringLiteral("global"), QStringLiteral("autotuninglevel=normal")},
                                          8000);
    if (outcome.succeeded())
        return ItemResult::changed(QStringLiteral("TCP自动调优：已恢复为 normal"));
    if (outcome.status != platform::ErrorSuccess)
        return ItemResult::failed(QStringLiteral("TCP自动调优：无法运行 netsh，未作改动"));
    return ItemResult::failed(QStringLiteral("TCP自动调优：设置失败（netsh 返回 %1）").arg(outcome.exitCode));
}
