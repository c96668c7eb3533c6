#pragma once

#include "analysis/MachineQuery.h"

// Authenticode trust of a program file, as Windows' own tools judge it: a file that exists is signed when
// its own signature verifies or a security catalog of the system lists it and verifies (most of Windows'
// files are signed only that way). Nothing is fetched from the network. A path with an unresolved
// environment variable is never trusted.
class FileTrust {
public:
    explicit FileTrust(const MachineQuery& machine);

    // `path` already expanded.
    bool isSigned(const QString& path) const;

private:
    const MachineQuery& machine_;
};
