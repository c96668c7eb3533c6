#include "engine/StorageAnalyzer.h"

#include "engine/OptimizeCore.h"

StorageAnalyzer::StorageAnalyzer(OptimizeCore& core)
    : core_(core)
{
}

void StorageAnalyzer::run(const QString& drive)
{
    Q_UNUSED(drive)
}
