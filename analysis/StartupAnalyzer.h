#pragma once

#include "analysis/MachineQuery.h"
#include "analysis/StepProgress.h"
#include "engine/WindowsVersion.h"

// The fast start-up count of phase 1: every string value of the run keys, a changed Winlogon hook, the
// Windows key's AppInit_DLLs, Load and Run when not empty, an excess of approved shell extensions, the script
// and program files of the two start-up folders and (except on Windows 7) the logon and boot triggers of
// enabled scheduled tasks. Returns the count; each entry is worth kSecondsPerEntry of start-up time. Its
// progress belongs to the pipeline's step 6, between the pipeline's 85 and 92 %, so the ring never runs
// backwards.
class StartupAnalyzer {
public:
    StartupAnalyzer(platform::Platform& machine, WindowsVersion version, StepProgress progress);
    int run();

    static constexpr int kSecondsPerEntry = 6;

private:
    int countRunKeys() const;
    int countHooks() const;
    int countShellExtensions() const;
    int countFolderFiles() const;
    int countTaskTriggers() const;

    MachineQuery machine_;
    WindowsVersion version_;
    StepProgress progress_;
};
