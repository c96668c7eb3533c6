#include "updater/MachineProgramControl.h"

#include "text/PlatformText.h"

#include <QDir>

MachineProgramControl::MachineProgramControl(platform::Platform& machine, const QString& programFolder)
    : machine_(machine), exePath_(toWString(QDir::toNativeSeparators(programFolder)) + L'\\' + kExeName)
{
}

bool MachineProgramControl::isRunning()
{
    std::vector<platform::ProcessEntry> processes;
    if (machine_.processes.snapshot(processes) != platform::ErrorSuccess)
        return false;
    for (const platform::ProcessEntry& process : processes) {
        if (toQString(process.exeName).compare(toQString(kExeName), Qt::CaseInsensitive) == 0 && isOurs(process.pid))
            return true;
    }
    return false;
}

bool MachineProgramControl::isOurs(std::uint32_t pid)
{
    std::wstring image;
    if (machine_.processes.imagePath(pid, image) != platform::ErrorSuccess)
        return true;
    return toQString(image).compare(toQString(exePath_), Qt::CaseInsensitive) == 0;
}

bool MachineProgramControl::start()
{
    return machine_.commands.startDetached(exePath_, {}) == platform::ErrorSuccess;
}
