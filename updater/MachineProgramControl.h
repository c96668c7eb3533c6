#pragma once

#include "platform/Platform.h"
#include "updater/ProgramControl.h"

// The program "tidewell.exe" of one program folder, asked through the platform layer: the process list
// for whether it runs, a detached start for the new one.
class MachineProgramControl : public ProgramControl
{
public:
    static constexpr const wchar_t* kExeName = L"tidewell.exe";

    MachineProgramControl(platform::Platform& machine, const QString& programFolder);

    // A process of that name counts unless the platform can tell its image lies elsewhere. A process list
    // that cannot be had counts as no program running: the folder renames then fail on a file in use and
    // the swap is put back.
    bool isRunning() override;
    bool start() override;

private:
    bool isOurs(std::uint32_t pid);

    platform::Platform& machine_;
    std::wstring exePath_;
};
