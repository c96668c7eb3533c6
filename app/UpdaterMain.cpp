#include "app/PlatformChoice.h"
#include "platform/DllSearch.h"
#include "ui/theme/InterfaceFont.h"
#include "ui/theme/ThemePalette.h"
#include "ui/updater/UpdaterWindow.h"
#include "update/UpdateCheck.h"
#include "update/UpdateConfig.h"
#include "update/VersionNumber.h"
#include "updater/MachineProgramControl.h"
#include "updater/NetworkFileSource.h"
#include "updater/ReleaseAddress.h"
#include "updater/SelfCopy.h"
#include "updater/SignedVersionList.h"
#include "updater/SwapRecovery.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QMessageBox>
#include <QTextStream>

namespace
{

// Started beside the program, the updater copies itself out of the folder it is to replace and ends.
int relaunchFromCopy(platform::Platform& machine, const QStringList& arguments)
{
    QString error;
    if (SelfCopy(machine).relaunch(QCoreApplication::applicationFilePath(), QCoreApplication::applicationDirPath(),
                                   arguments, error))
        return 0;
    QMessageBox::warning(nullptr, QStringLiteral("程序更新"), error + QStringLiteral("程序没有更新。"));
    return 1;
}

int runUpdate(platform::Platform& machine, const QString& startFolder, bool automatic)
{
    const StickLayout layout = StickLayout::of(startFolder);
    SwapRecovery(layout).recover(SwapRecovery::Caller::Updater);
    const QString programFolder = layout.program();
    const UpdateConfig config = UpdateConfig::load(programFolder);
    NetworkFileSource source(releaseAddress::fromCheckUrl(config.url));
    const auto checkReply = [&config](QByteArray& body, QString& error) {
        QBuffer sink(&body);
        sink.open(QIODevice::WriteOnly);
        return NetworkFileSource::download(config.url, QStringLiteral("版本信息"), UpdateCheck::kMaxBodyBytes, sink,
                                           [](qint64) { return true; }, error);
    };
    SignedVersionList versions(checkReply, source, config.publicKey, QString::fromLatin1(version::kRunning));
    MachineProgramControl program(machine, programFolder);
    StickFolderRemoval removal(machine);
    UpdateRun flow(layout, versions, source, program, removal, UpdateRun::Timing());
    UpdaterWindow window(flow, theme::kDefault);
    window.show();
    if (automatic)
        window.startUpdate();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    platform::restrictDllSearch();
    QApplication app(argc, argv);
    substituteInterfaceFont();
    QString error;
    std::unique_ptr<MachineBackend> machine = openMachineBackend(error);
    if (!machine) {
        QTextStream(stderr) << "updaterwindow: " << error << "\n";
        return 2;
    }
    platform::setCurrent(&machine->platform());
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool automatic = arguments.contains(QStringLiteral("--auto"));
    const int option = arguments.indexOf(QLatin1String(SelfCopy::kProgramFolderOption));
    const int exitCode =
        option >= 0 && option + 1 < arguments.size()
            ? runUpdate(machine->platform(), QDir::fromNativeSeparators(arguments.at(option + 1)), automatic)
            : relaunchFromCopy(machine->platform(), arguments);
    platform::setCurrent(nullptr);
    return exitCode;
}
