#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int kRunValuesPerKey = 1200;
constexpr int kStartupLinks = 1000;
constexpr int kTasks = 400;
constexpr int kServices = 2000;
constexpr int kPrograms = 500;
constexpr int kWindows = 300;

const char* const kRunKeys[] = {
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
};
const char kStartupFolder[] = "C:\\Users\\Lenovo\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";

std::string numbered(const char* format, int n)
{
    return QString::asprintf(format, n).toStdString();
}

std::string program(int n)
{
    return numbered("C:\\Program Files (x86)\\Bench\\app%05d.exe", n);
}

// The default machine with, on top, 5,000 start-up entries (run values, start-up folder shortcuts and log-on
// tasks), 2,000 services, 500 installed programs and 300 windows of as many processes, as the benchmark's
// large PC has them.
nlohmann::json largeMachine()
{
    nlohmann::json extra = {{"registry", nlohmann::json::object()}, {"files", nlohmann::json::array()},
                            {"services", nlohmann::json::object()}, {"tasks", nlohmann::json::array()},
                            {"processes", nlohmann::json::array()}, {"windows", nlohmann::json::array()}};
    int n = 0;
    for (const char* key : kRunKeys) {
        for (int i = 0; i < kRunValuesPerKey; ++i, ++n)
            extra["registry"][key][numbered("Start%05d", n)] = "\"" + program(n) + "\" /silent";
    }
    for (int i = 0; i < kStartupLinks; ++i, ++n) {
        const std::string link = kStartupFolder + numbered("Link%05d.lnk", n);
        extra["files"].push_back({{"path", link}, {"size", 1024}});
        extra["shell"]["shortcuts"][link] = {{"target", program(n)}, {"arguments", ""}};
    }
    for (int i = 0; i < kTasks; ++i, ++n)
        extra["tasks"].push_back({{"path", numbered("\\Bench\\Task%05d", n)}, {"triggers", {9}}});
    for (int i = 0; i < kServices; ++i)
        extra["services"][numbered("BenchSvc%04d", i)] = {
            {"state", i % 3 ? "stopped" : "running"}, {"startType", i % 2 ? "manual" : "auto"},
            {"binaryPath", program(10000 + i)}};
    for (int i = 0; i < kPrograms; ++i)
        extra["registry"][numbered("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{BENCH-%05d}", i)] =
            {{"DisplayName", numbered("Bench Program %d", i)}, {"InstallLocation", numbered("C:\\Bench\\%05d", i)}};
    for (int i = 0; i < kWindows; ++i) {
        extra["processes"].push_back({{"pid", 20000 + 4 * i},
                                      {"name", numbered("app%05d.exe", 20000 + i)},
                                      {"imagePath", program(20000 + i)}});
        extra["windows"].push_back(
            {{"pid", 20000 + 4 * i}, {"className", "BenchWnd"}, {"title", numbered("Bench window %d", i)}});
    }
    nlohmann::json profile = platform::sim::defaultMachineProfile();
    platform::sim::mergeProfile(profile, extra);
    return profile;
}

} // namespace

// Phase 1 with its analysis on a large PC finishes and reports what it found; the benchmark times it.
class TestLargeMachine : public QObject {
    Q_OBJECT

private slots:
    void testPhaseOneFinishesOnALargePc()
    {
        TestMachine machine(largeMachine());
        RunLogLines::start(machine.platform());
        OptimizeCore core(machine.platform());
        QSignalSpy finished(&core, &OptimizeCore::optimizationFinished);
        QSignalSpy refused(&core, &OptimizeCore::errorOccurred);
        core.startOptimize();
        QCOMPARE(refused.count(), 0);
        QCOMPARE(finished.count(), 1);
        // Every run value and shortcut is an item of its own; the default machine adds its own few.
        QVERIFY2(core.report.startupItems.size() >= 3 * kRunValuesPerKey + kStartupLinks,
                 qPrintable(QString::number(core.report.startupItems.size())));
        QVERIFY(core.startupItemsCount >= 3 * kRunValuesPerKey + kStartupLinks);
        QVERIFY(!core.report.popupWindows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLargeMachine)
#include "TestLargeMachine.moc"
