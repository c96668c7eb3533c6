#pragma once

#include <QString>

class OptimizeCore;

// Decides on fast start-up, hibernation, page file and restore, and runs TRIM or defragmentation.
class StorageAnalyzer {
public:
    explicit StorageAnalyzer(OptimizeCore& core);
    void run(const QString& drive);

private:
    OptimizeCore& core_;
};
