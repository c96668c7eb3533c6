#pragma once

#include "ui/main/Phase1Result.h"

// What the demonstration switch shows instead of a run: fixed figures and a small sample report with a
// finding in every list. The paths in it are for showing only; nothing of it belongs to this machine.
Phase1Result demoSample();

// The number of restore points the demonstration pretends to have.
constexpr int kDemoRestorePoints = 3;
