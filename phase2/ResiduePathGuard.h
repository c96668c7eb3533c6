#pragma once

#include "engine/CanonicalPath.h"
#include "engine/GuardedDelete.h"
#include "phase2/ResiduePlaces.h"
#include "platform/Platform.h"

#include <QString>

#include <string>
#include <vector>

// Decides whether a residue path from the signature file and the machine may be removed, before the guarded
// deletion (which refuses protected folders and never follows links) does it. The path is brought to its
// canonical form first; text that only names an existing path once blanks, quotes or trailing dots are
// dropped is no evidence of a leftover and counts as missing. A path is allowed only when it is an
// absolute path on a local fixed drive, without "..", lies strictly inside a place programs install to
// (ResiduePlaces), is no protected folder and holds none, is nothing in the Windows folder, nothing of the
// program's own folder (the whole folder of a portable copy, beside its "app"), is reached through no link
// or junction, and neither holds nor lies in a running program's folder or a folder an uninstall entry names.
class ResiduePathGuard {
public:
    enum class Verdict { Allowed, Missing, Refused, InUse };

    // `ownFolder` is the folder holding the program's executable.
    ResiduePathGuard(platform::Platform& machine, const QString& ownFolder);

    // `canonical` receives the path to remove when the verdict is Allowed.
    Verdict check(const QString& evidencePath, std::wstring& canonical);

private:
    using Parts = std::vector<std::wstring>;

    bool isAbsoluteLocalPath(const std::wstring& path) const;
    bool passesThroughLink(const std::wstring& path);
    bool isInWindowsFolder(const Parts& parts);
    bool touchesOwnFolder(const Parts& parts) const;
    bool holdsSoftwareInUse(const Parts& parts);
    Parts programFolder(const QString& ownFolder);
    std::wstring canonicalOf(const std::wstring& path);

    platform::Platform& machine_;
    CanonicalPath canonical_;
    GuardedDelete guardedDelete_;
    ResiduePlaces places_;
    Parts ownFolder_;
};
