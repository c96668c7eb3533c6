#pragma once

#include <QString>

#include <functional>

// How an analysis run inside phase 1 reports its progress: the pipeline's step, its percent and the status
// text, passed on by the pipeline to whoever watches the run.
using StepProgress = std::function<void(int step, int percent, const QString& text)>;
