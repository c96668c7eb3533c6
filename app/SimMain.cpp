#include "app/CommandLineMain.h"
#include "app/SimRun.h"

int main(int argc, char* argv[])
{
    return runCommandLine(argc, argv, QStringLiteral("tidewell-sim"),
                          [](QTextStream& out, QTextStream& err, const QStringList& arguments, const QString& appDir) {
                              return SimRun(out, err).exec(arguments, appDir);
                          });
}
