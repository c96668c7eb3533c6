#include "app/FirstPaintProbe.h"
#include "app/OnScreenWindow.h"
#include "app/PlatformChoice.h"
#include "log/RunLogger.h"
#include "platform/ComSecurity.h"
#include "platform/DllSearch.h"
#include "ui/main/Optimizer.h"

#include "ui/theme/InterfaceFont.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    FirstPaintProbe firstPaint;
    platform::restrictDllSearch();
    platform::setComSecurity();
    OnScreenWindow::prepareScaling();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brightdesk"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.0"));
    substituteInterfaceFont();

    QString error;
    std::unique_ptr<MachineBackend> machine = openMachineBackend(error);
    if (!machine) {
        QTextStream(stderr) << "tidewell: " << error << "\n";
        return 2;
    }
    platform::setCurrent(&machine->platform());

    const QString appDir = QCoreApplication::applicationDirPath();
    RunLogger::instance().initialize(appDir, QString(), machine->platform());

    int exitCode = 0;
    {
        Optimizer window(QCoreApplication::arguments(), appDir);
        firstPaint.watch(&window);
        OnScreenWindow::centre(window);
        window.show();
        exitCode = app.exec();
    }
    if (!machine->save(error))
        QTextStream(stderr) << "tidewell: cannot save the machine: " << error << "\n";
    platform::setCurrent(nullptr);
    return exitCode;
}
