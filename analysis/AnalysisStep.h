#pragma once

#include <QString>

class OptimizeCore;

// The read-only detailed analysis at the end of phase 1: rebuilds the engine's report.
class AnalysisStep {
public:
    explicit AnalysisStep(OptimizeCore& core);
    void run();

private:
    OptimizeCore& core_;
};
