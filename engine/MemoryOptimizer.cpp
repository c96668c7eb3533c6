#include "engine/MemoryOptimizer.h"

#include "engine/StageCore.h"
#include "log/RunLogger.h"

using namespace platform;

namespace {

// SYSTEM_MEMORY_LIST_COMMAND MemoryEmptyWorkingSets: the one command that moves every working set out.
constexpr std::uint32_t kEmptyWorkingSets = 2;
// The idle process and System sit below this id.
constexpr std::uint32_t kFirstOrdinaryProcessId = 10;

} // namespace

MemoryOptimizer::MemoryOptimizer(StageCore& core)
    : core_(core)
{
}

int MemoryOptimizer::run()
{
    const std::uint64_t before = availablePhysical();
    progress(32, QStringLiteral("正在整理系统内存列表..."));
    core_.machine().systemInfo.memoryListCommand(kEmptyWorkingSets);
    progress(34, QStringLiteral("正在回收进程工作集..."));
    trimWorkingSets();
    progress(38, QStringLiteral("正在计算内存释放量..."));
    const int freed = freedMegabytes(before, availablePhysical());
    progress(39, QStringLiteral("内存优化完成"));
    engineLog(QStringLiteral("  内存优化: 释放 %1 MB").arg(freed));
    return freed;
}

int MemoryOptimizer::freedMegabytes(std::uint64_t availableBefore, std::uint64_t availableAfter)
{
    const auto before = static_cast<qint64>(availableBefore / StageCore::kBytesPerMB);
    const auto after = static_cast<qint64>(availableAfter / StageCore::kBytesPerMB);
    return after > before ? static_cast<int>(after - before) : 0;
}

std::uint64_t MemoryOptimizer::availablePhysical()
{
    MemoryStatus status;
    return succeeded(core_.machine().systemInfo.memoryStatus(status)) ? status.availPhys : 0;
}

void MemoryOptimizer::trimWorkingSets()
{
    std::vector<ProcessEntry> processes;
    if (!succeeded(core_.machine().processes.snapshot(processes)))
        return;
    const std::uint32_t self = core_.machine().processes.currentProcessId();
    for (const ProcessEntry& process : processes) {
        if (process.pid >= kFirstOrdinaryProcessId && process.pid != self)
            core_.machine().processes.trimWorkingSet(process.pid);
    }
}

void MemoryOptimizer::progress(int percent, const QString& text)
{
    emit core_.progressUpdated(2, percent, text);
}
