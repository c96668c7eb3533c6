#pragma once

#include "analysis/MachineQuery.h"

#include <cstdint>

// Authenticode trust of a program file, as Windows' own tools judge it: a file that exists is signed when
// its own signature verifies or a security catalog of the system lists it and verifies (most of Windows'
// files are signed only that way). Nothing is fetched from the network. It is unsigned when neither holds a
// signature, or when the check found a signature bad (an altered file, a revoked or distrusted
// certificate). Anything else the check answers means a signature this PC cannot check (a chain that does
// not complete offline, a digest an unpatched Windows 7 does not know): unknown, neither signed nor
// unsigned. A missing file, a folder and a path with an unresolved environment variable are unsigned.
class FileTrust {
public:
    enum class Verdict { Signed, Unsigned, Unknown };

    explicit FileTrust(const MachineQuery& machine);

    // `path` already expanded.
    Verdict verdict(const QString& path) const;

    // What one WinVerifyTrust answer says.
    static Verdict fromTrustResult(std::int32_t trustResult);

private:
    const MachineQuery& machine_;
};
