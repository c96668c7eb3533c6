#include "bench/StageBench.h"
#include "phase1/OptimizeCore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

// tidewell-bench-analysis MACHINE_DIR: runs the environment check and then the detailed analysis of phase 1,
// nothing else, on the simulated PC in MACHINE_DIR and prints how long the analysis took and what it found.
// The simulated console tools answer at once, so the time is the engine's own.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    StageBench bench(argc, argv, "tidewell-bench-analysis MACHINE_DIR");
    if (!bench.isOpen())
        return 2;
    OptimizeCore core(bench.platform());
    if (!bench.environmentAccepted(core))
        return 3;
    QElapsedTimer timer;
    timer.start();
    core.runDetailedAnalysis();
    bench.out() << "analysis_ms=" << timer.elapsed() << " startup=" << core.report.startupItems.size()
                << " junk_software=" << core.report.junkSoftware.size() << " popups=" << core.report.popupWindows.size()
                << "\n";
    return 0;
}
