#include "bench/StageBench.h"
#include "phase1/OptimizeCore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

// tidewell-bench-cleanup MACHINE_DIR: runs the environment check and the junk cleanup, nothing else, on the
// simulated PC in MACHINE_DIR and prints what it removed and how long the cleanup took.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    StageBench bench(argc, argv, "tidewell-bench-cleanup MACHINE_DIR");
    if (!bench.isOpen())
        return 2;
    OptimizeCore core(bench.platform());
    if (!bench.environmentAccepted(core))
        return 3;
    QElapsedTimer timer;
    timer.start();
    const int megabytes = core.cleanJunkFiles(core.systemDrive);
    bench.out() << "cleanup_ms=" << timer.elapsed() << " files=" << core.junkFilesCount << " mb=" << megabytes << "\n";
    return 0;
}
