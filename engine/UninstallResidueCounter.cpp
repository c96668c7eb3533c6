#include "engine/UninstallResidueCounter.h"

#include "engine/OptimizeCore.h"

UninstallResidueCounter::UninstallResidueCounter(OptimizeCore& core)
    : core_(core)
{
}

int UninstallResidueCounter::run()
{
    return 0;
}
