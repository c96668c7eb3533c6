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
    std::uint64_t before = 0;
    const bool measuredBefore = availablePhysical(before);
    progress(32, QStringLiteral("正在整理系统内存列表..."));
    // A 32-bit process asks through WOW64, where the request may not be passed on: said, not hidden.
    const Status listed = core_.machine().systemInfo.memoryListCommand(kEmptyWorkingSets);
    if (!succeeded(listed))
        engineLog(QStringLiteral("  内存优化: 无法整理系统内存列表（错误 %1）").arg(listed));
    progress(34, QStringLiteral("正在回收进程工作集..."));
    trimWorkingSets();
    progress(38, QStringLiteral("正在计算内存释放量..."));
    std::uint64_t after = 0;
    const bool measured = measuredBefore && availablePhysical(after);
    const int freed = measured ? freedMegabytes(before, after) : 0;
    progress(39, QStringLiteral("内存优化完成"));
    if (measured)
        engineLog(QStringLiteral("  内存优化: 释放 %1 MB").arg(freed));
    else
        engineLog(QStringLiteral("  内存优化: 无法读取可用内存，释放量未知"));
    return freed;
}

int MemoryOptimizer::freedMegabytes(std::uint64_t availableBefore, std::uint64_t availableAfter)
{
    const auto before = static_cast<qint64>(availableBefore / StageCore::kBytesPerMB);
    const auto after = static_cast<qint64>(availableAfter / StageCore::kBytesPerMB);
    return after > before ? static_cast<int>(after - before) : 0;
}

bool MemoryOptimizer::availablePhysical(std::uint64_t& bytes)
{
    MemoryStatus status;
    if (!succeeded(core_.machine().systemInfo.memoryStatus(status)))
        return false;
    bytes = status.availPhys;
    return true;
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
