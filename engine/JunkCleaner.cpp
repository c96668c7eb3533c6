#include "engine/JunkCleaner.h"

#include "engine/OptimizeCore.h"

JunkCleaner::JunkCleaner(OptimizeCore& core)
    : core_(core)
{
}

int JunkCleaner::run(const QString& drive)
{
    Q_UNUSED(drive)
    return 0;
}
