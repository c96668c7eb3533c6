#include "app/CommandLineMain.h"
#include "app/ConsoleRun.h"
#include "platform/ComSecurity.h"
#include "platform/DllSearch.h"

int main(int argc, char* argv[])
{
    platform::restrictDllSearch();
    platform::setComSecurity();
    return runCommandLine(argc, argv, QStringLiteral("tidewell-console"),
                          [](QTextStream& out, QTextStream& err, const QStringList& arguments, const QString& appDir) {
                              return ConsoleRun(out, err).exec(arguments, appDir);
                          });
}
