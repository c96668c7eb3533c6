#pragma once

#include "phase2/OptItem.h"

#include <QString>

// The result lines of the demonstration mode, which shows what a run looks like without touching anything.
namespace Phase2Sample {

QString resultLine(const OptItem& item);

} // namespace Phase2Sample
