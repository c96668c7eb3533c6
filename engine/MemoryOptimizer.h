#pragma once

#include <QString>

#include <cstdint>

class StageCore;

// Stage 2 of the one-click run: asks Windows to empty the working sets (the memory-list request), trims
// the working set of every other process, and reports how many megabytes of physical memory became
// available. A request Windows refused gets a line of its own; when available memory cannot be read, the
// line says so and no figure is given.
class MemoryOptimizer {
public:
    explicit MemoryOptimizer(StageCore& core);
    int run();

    // Freed megabytes from two readings of available physical memory: megabyte boundaries decide, and a
    // drop reads as 0.
    static int freedMegabytes(std::uint64_t availableBefore, std::uint64_t availableAfter);

private:
    bool availablePhysical(std::uint64_t& bytes);
    void trimWorkingSets();
    void progress(int percent, const QString& text);

    StageCore& core_;
};
