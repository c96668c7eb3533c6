#include "update/UpdaterLauncher.h"

#include <QDir>
#include <QFileInfo>

UpdaterLauncher::UpdaterLauncher(const QString& appDir, platform::Platform* machine)
    : appDir(appDir)
    , machine(machine)
{
}

QString UpdaterLauncher::path() const
{
    return appDir + QLatin1Char('/') + QLatin1String(kFileName);
}

UpdaterLauncher::Outcome UpdaterLauncher::request(bool runWorking)
{
    if (!runWorking)
        return launch();
    pending = true;
    return Outcome::Deferred;
}

UpdaterLauncher::Outcome UpdaterLauncher::runEnded()
{
    pending = false;
    return launch();
}

UpdaterLauncher::Outcome UpdaterLauncher::launch()
{
    if (!QFileInfo(path()).isFile())
        return Outcome::Missing;
    const std::wstring program = QDir::toNativeSeparators(path()).toStdWString();
    platform::Platform& target = machine ? *machine : platform::current();
    const platform::Status status = target.commands.startDetached(program, {L"--auto"});
    return status == platform::ErrorSuccess ? Outcome::Started : Outcome::Failed;
}
