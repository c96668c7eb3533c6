#include "log/RunLogger.h"
#include "platform/sim/SimPlatform.h"
#include "ui/main/Optimizer.h"
#include "ui/progress/ProgressPage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

namespace {

constexpr int kWarmUpMs = 1000;
constexpr int kPollMs = 50;

qint64 processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) { return qint64(time.tv_sec) * 1000 + time.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The progress page alone, shown at the size it has in the window, turning for `seconds` after a warm-up:
// the processor time the process spent meanwhile, as a share of one core.
int measureAnimation(QApplication& application, int seconds)
{
    ProgressPage page;
    page.resize(860, 620);
    page.show();
    qint64 startCpu = 0;
    QTimer::singleShot(kWarmUpMs, [&] { startCpu = processorMs(); });
    QTimer::singleShot(kWarmUpMs + seconds * 1000, [&] {
        const double share = 100.0 * double(processorMs() - startCpu) / (seconds * 1000.0);
        QTextStream(stdout) << "animation_cpu_percent=" << QString::number(share, 'f', 2) << "\n";
        application.quit();
    });
    return application.exec();
}

// The whole window on a temporary stick whose agreement is accepted, running phase 1 on the simulated PC in
// `machineDir` from the start button until the run has handed back; then it quits, so that the peak memory
// of the process is that of a window with a finished run.
int runWindow(QApplication& application, const QString& machineDir)
{
    std::string error;
    auto machine = platform::sim::SimMachine::open(machineDir.toStdString(), error);
    if (!machine) {
        QTextStream(stdout) << "cannot open the machine: " << QString::fromStdString(error) << "\n";
        return 2;
    }
    platform::sim::SimPlatform simulated(*machine);
    platform::setCurrent(&simulated.platform());
    QTemporaryDir stick;
    const QString appDir = stick.path() + QStringLiteral("/Tidewell/app");
    QDir().mkpath(appDir);
    QFile flag(stick.path() + QStringLiteral("/eula_accepted.flag"));
    QFile config(appDir + QStringLiteral("/updater.config"));
    // The update check goes to a closed loopback port: the benchmark never asks the outside world.
    if (!flag.open(QIODevice::WriteOnly) || flag.write("1") != 1 || !config.open(QIODevice::WriteOnly) ||
        config.write("{\"update_url\": \"http://127.0.0.1:9/check\"}") <= 0)
        return 2;
    flag.close();
    config.close();
    RunLogger::instance().initialize(appDir, QString(), simulated.platform());
    int exitCode = 0;
    {
        Optimizer window(QCoreApplication::arguments(), appDir);
        window.show();
        QTimer::singleShot(0, [&] { window.findChild<QPushButton*>(QStringLiteral("startBtn"))->click(); });
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (window.phase1Thread() || window.findChild<ProgressPage*>()->isVisible())
                return;
            QTextStream(stdout) << "run finished\n";
            application.quit();
        });
        poll.start(kPollMs);
        exitCode = application.exec();
    }
    platform::setCurrent(nullptr);
    return exitCode;
}

} // namespace

// tidewell-bench-window animation SECONDS | run MACHINE_DIR: the window's processor and memory benchmarks.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("animation") && arguments[2].toInt() > 0)
        return measureAnimation(application, arguments[2].toInt());
    if (arguments.size() == 3 && arguments[1] == QLatin1String("run"))
        return runWindow(application, arguments[2]);
    QTextStream(stdout) << "usage: tidewell-bench-window animation SECONDS | run MACHINE_DIR\n";
    return 2;
}
