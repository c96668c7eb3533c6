#include "app/SimRun.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// The engine's diagnostic copies of its log lines would only repeat the run log printed at the end.
void quietEngineDiagnostics(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("[OptimizeCore]")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(quietEngineDiagnostics);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tidewell-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TIDEWELL_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    const int code = SimRun(out, err).exec(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
    out.flush();
    err.flush();
    return code;
}
