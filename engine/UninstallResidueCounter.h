#pragma once

#include <QString>

class OptimizeCore;

// Counts the folders that uninstalled programs left behind.
class UninstallResidueCounter {
public:
    explicit UninstallResidueCounter(OptimizeCore& core);
    int run();

private:
    OptimizeCore& core_;
};
