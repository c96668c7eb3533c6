#pragma once

#include <QString>

class OptimizeCore;

// Deletes junk files and caches of the system drive; returns the megabytes freed.
class JunkCleaner {
public:
    explicit JunkCleaner(OptimizeCore& core);
    int run(const QString& drive);

private:
    OptimizeCore& core_;
};
