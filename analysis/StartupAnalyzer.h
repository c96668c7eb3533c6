#pragma once

#include <QString>

class OptimizeCore;

// Counts the start-up entries of the machine for phase 1; returns their number.
class StartupAnalyzer {
public:
    explicit StartupAnalyzer(OptimizeCore& core);
    int run();

private:
    OptimizeCore& core_;
};
