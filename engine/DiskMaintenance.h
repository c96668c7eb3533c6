#pragma once

#include "engine/ConsoleTool.h"

#include <QString>

class StageCore;

// TRIM for a solid-state system drive on Windows 8 or later, nothing for one on Windows 7 (which trims by
// itself), defragmentation for a spinning disk, nothing for a drive whose medium is unknown; then one log
// line saying which, and whether defrag failed.
class DiskMaintenance {
public:
    explicit DiskMaintenance(StageCore& core);
    void run(const QString& drive);

    static constexpr int kDefragWaitMs = 120000;

private:
    ConsoleTool::Outcome defrag(const QString& drive, const QString& mode);

    StageCore& core_;
};
