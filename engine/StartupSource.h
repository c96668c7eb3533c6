#pragma once

#include "platform/Registry.h"

#include <QString>

// The places Windows starts programs from at log-on, with the approved-start-up value that switches an entry
// of each place on or off. Windows keeps machine-wide approvals under HKLM and the user's under HKCU; the
// RunOnce keys are not governed by approvals at all.
struct StartupSource {
    enum class Kind { RunKey, RunOnceKey, Folder };

    const char* name;        // "HKCU_Run", ...
    Kind kind;
    platform::Hive hive;     // of the run key, and of the approval
    const char* path;        // run key below the hive, or the folder before environment expansion
    const char* approvedKey; // sub-key of the approvals
    int sourceType;          // the analysis's source number, which phase-2 item ids carry

    bool isFolder() const { return kind == Kind::Folder; }

    // The source of an analysis source number, or null for numbers no start-up manager source has.
    static const StartupSource* ofType(int sourceType);
    static const StartupSource* named(const QString& name);
    static const StartupSource* begin();
    static const StartupSource* end();

    static constexpr char kApprovedRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
};
