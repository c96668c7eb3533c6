#include "app/CommandLineMain.h"
#include "app/ConsoleRun.h"

int main(int argc, char* argv[])
{
    return runCommandLine(argc, argv, QStringLiteral("tidewell-console"),
                          [](QTextStream& out, QTextStream& err, const QStringList& arguments, const QString& appDir) {
                              return ConsoleRun(out, err).exec(arguments, appDir);
                          });
}
