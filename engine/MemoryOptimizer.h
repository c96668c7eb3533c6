#pragma once

#include <QString>

class OptimizeCore;

// Trims the working sets of running processes; returns the megabytes of memory freed.
class MemoryOptimizer {
public:
    explicit MemoryOptimizer(OptimizeCore& core);
    int run();

private:
    OptimizeCore& core_;
};
