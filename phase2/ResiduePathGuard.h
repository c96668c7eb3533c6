#pragma once

#include "engine/GuardedDelete.h"
#include "platform/Platform.h"

#include <QString>

#include <string>
#include <vector>

// Decides whether a residue path from the signature file and the machine may be removed, before the guarded
// deletion (which refuses protected folders and never follows links) does it. A path is allowed only when it
// expands cleanly to an absolute path on a local fixed drive, without "..", and in its canonical long form
// is no protected folder, no ancestor of one, no container of other programs' or the user's data (AppData
// and its Local, Roaming and LocalLow, Public, Program Files (x86), Common Files, ProgramData and its
// Microsoft folder, every user's Pictures, Music, Videos, Downloads and Favorites), nothing in the Windows
// folder, nothing of the program's own folder, is reached through no link or junction, and neither holds
// nor lies in a running program's or an installed program's folder.
class ResiduePathGuard {
public:
    enum class Verdict { Allowed, Missing, Refused, InUse };

    ResiduePathGuard(platform::Platform& machine, const QString& ownFolder);

    // `canonical` receives the path to remove when the verdict is Allowed.
    Verdict check(const QString& evidencePath, std::wstring& canonical);

    static constexpr std::size_t kMaxExpandedChars = 520;

private:
    bool isAbsoluteLocalPath(const std::wstring& path) const;
    bool passesThroughLink(const std::wstring& path);
    bool isContainer(const std::vector<std::wstring>& parts);
    bool touchesOwnFolder(const std::vector<std::wstring>& parts);
    bool holdsSoftwareInUse(const std::vector<std::wstring>& parts);
    std::vector<std::vector<std::wstring>> installLocations();
    std::wstring canonicalOf(const std::wstring& path);

    platform::Platform& machine_;
    GuardedDelete guardedDelete_;
    std::wstring ownFolder_;
};
