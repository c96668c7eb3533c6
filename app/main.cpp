#include "app/FirstPaintProbe.h"
#include "app/OnScreenWindow.h"
#include "app/PlatformChoice.h"
#include "log/RunLogger.h"
#include "platform/ComSecurity.h"
#include "platform/DllSearch.h"
#include "ui/main/Optimizer.h"
#include "updater/SwapRecovery.h"

#include "ui/theme/InterfaceFont.h"
#include "ui/theme/StandardButtonTranslation.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char* argv[])
{
    FirstPaintProbe firstPaint;
    platform::restrictDllSearch();
    platform::setComSecurity();
    OnScreenWindow::prepareScaling();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brightdesk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TIDEWELL_VERSION));
    substituteInterfaceFont();
    // An update cut off by a power cut is finished or undone before anything reads the program folder.
    const QString appDir = QCoreApplication::applicationDirPath();
    recoverInterruptedUpdate(appDir);
    installStandardButtonTranslation(appDir);

    QString error;
    std::unique_ptr<MachineBackend> machine = openMachineBackend(error);
    if (!machine) {
        QTextStream(stderr) << "tidewell: " << error << "\n";
        return 2;
    }
    platform::setCurrent(&machine->platform());

    RunLogger::instance().initialize(appDir, QString(), machine->platform());

    int exitCode = 0;
    {
        Optimizer window(QCoreApplication::arguments(), appDir);
        firstPaint.watch(&window);
        OnScreenWindow::centre(window);
        window.show();
        QTimer::singleShot(0, [&appDir] { confirmProgramStarted(appDir); });
        exitCode = app.exec();
    }
    if (!machine->save(error))
        QTextStream(stderr) << "tidewell: cannot save the machine: " << error << "\n";
    platform::setCurrent(nullptr);
    return exitCode;
}
