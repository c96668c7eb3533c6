#pragma once

#include "platform/Status.h"
#include "platform/sim/SimMachine.h"

#include <string>

namespace platform::sim {

// GetLongPathNameW on the simulated PC: each part of `path` is looked up in its folder without regard to
// case; a long name keeps the spelling it was given (as on Windows), a part in 8.3 form ("PROGRA~1", "LONGFI~2.TXT") stands for
// the N-th name, in name order, whose upper-case form without blanks and dots starts with the part's first
// letters (and whose extension starts with the short one), as Windows generates short names.
Status simLongPathName(const SimMachine& machine, const std::wstring& path, std::wstring& longPath);

} // namespace platform::sim
