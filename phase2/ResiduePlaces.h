#pragma once

#include "platform/Platform.h"

#include <string>
#include <vector>

// The places programs install to and leave things behind in: every Program Files folder, ProgramData,
// each user's AppData\Local, LocalLow and Roaming, the Start Menu Programs folders and the temporary
// folders. A residue lies strictly inside one of them, and not in a folder of Windows' own directly below
// it; a place itself, or a folder holding one, is never a residue.
class ResiduePlaces {
public:
    using Parts = std::vector<std::wstring>;

    explicit ResiduePlaces(platform::Platform& machine);

    // `parts` as WindowsPath::normalizedParts gives them, of the long form of an existing path.
    bool admits(const Parts& parts) const;

private:
    std::vector<Parts> places_;
};
