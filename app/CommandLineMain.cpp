#include "app/CommandLineMain.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void quietEngineDiagnostics(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("[OptimizeCore]")))
        return;
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

} // namespace

int runCommandLine(int argc, char* argv[], const QString& name, const CommandLineBody& body)
{
    qInstallMessageHandler(quietEngineDiagnostics);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(QStringLiteral(TIDEWELL_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    const int code = body(out, err, QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
    out.flush();
    err.flush();
    return code;
}
