#include "engine/OptimizeCore.h"
#include "platform/sim/SimPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

// tidewell-bench-cleanup MACHINE_DIR: runs the environment check and the junk cleanup, nothing else, on the
// simulated PC in MACHINE_DIR and prints what it removed and how long the cleanup took.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        out << "usage: tidewell-bench-cleanup MACHINE_DIR\n";
        return 2;
    }
    std::string error;
    auto machine = platform::sim::SimMachine::open(argv[1], error);
    if (!machine) {
        out << "cannot open the machine: " << QString::fromStdString(error) << "\n";
        return 2;
    }
    platform::sim::SimPlatform simulated(*machine);
    OptimizeCore core(simulated.platform());
    QString refusal;
    if (!core.checkEnvironment(refusal)) {
        out << "refused: " << refusal << "\n";
        return 3;
    }
    QElapsedTimer timer;
    timer.start();
    const int megabytes = core.cleanJunkFiles(core.systemDrive);
    out << "cleanup_ms=" << timer.elapsed() << " files=" << core.junkFilesCount << " mb=" << megabytes << "\n";
    return 0;
}
