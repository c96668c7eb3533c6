// tidewell-shots OUTDIR: renders the window's screens in all three themes into PNG files in OUTDIR.
#include "app/shots/ScreenshotSet.h"
#include "ui/theme/InterfaceFont.h"
#include "ui/theme/StandardButtonTranslation.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    substituteInterfaceFont();
    installStandardButtonTranslation(QCoreApplication::applicationDirPath());
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: tidewell-shots OUTDIR\n";
        return 2;
    }
    return ScreenshotSet(arguments.at(1)).run() == 0 ? 0 : 1;
}
