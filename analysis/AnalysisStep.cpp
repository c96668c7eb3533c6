#include "analysis/AnalysisStep.h"

#include "engine/OptimizeCore.h"

AnalysisStep::AnalysisStep(OptimizeCore& core)
    : core_(core)
{
}

void AnalysisStep::run()
{

}
