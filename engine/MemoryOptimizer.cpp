#include "engine/MemoryOptimizer.h"

#include "engine/OptimizeCore.h"

MemoryOptimizer::MemoryOptimizer(OptimizeCore& core)
    : core_(core)
{
}

int MemoryOptimizer::run()
{
    return 0;
}
