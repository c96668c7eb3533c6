#include "analysis/StartupAnalyzer.h"

#include "engine/OptimizeCore.h"

StartupAnalyzer::StartupAnalyzer(OptimizeCore& core)
    : core_(core)
{
}

int StartupAnalyzer::run()
{
    return 0;
}
