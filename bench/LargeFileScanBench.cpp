#include "bench/StageBench.h"
#include "phase2/LargeFileScan.h"

#include <QCoreApplication>
#include <QElapsedTimer>

// tidewell-bench-largefiles MACHINE_DIR: runs the large-file scan of phase 2, nothing else, on the simulated
// PC in MACHINE_DIR and prints how long it took and how many lines it found.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    StageBench bench(argc, argv, "tidewell-bench-largefiles MACHINE_DIR");
    if (!bench.isOpen())
        return 2;
    QElapsedTimer timer;
    timer.start();
    const QString result = LargeFileScan(bench.platform()).run().line;
    bench.out() << "scan_ms=" << timer.elapsed() << " lines=" << result.count(QLatin1Char('\n')) << "\n";
    return 0;
}
