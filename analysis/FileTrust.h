#pragma once

#include "analysis/MachineQuery.h"

// Authenticode trust of a program file: WinVerifyTrust must answer 0 for a file that exists. A path with an
// unresolved environment variable is never trusted.
class FileTrust {
public:
    explicit FileTrust(const MachineQuery& machine);

    // `path` already expanded.
    bool isSigned(const QString& path) const;

private:
    const MachineQuery& machine_;
};
