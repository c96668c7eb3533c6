#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QSignalSpy>
#include <QtTest>

#include <tuple>

using platform::sim::mergeProfile;

namespace {

constexpr std::uint64_t kMB = 1048576;

// A notebook on mains with a little junk, a nearly empty disk and two processes of 100 MB each.
nlohmann::json notebook()
{
    const std::string local = "C:\\Users\\Mei\\AppData\\Local";
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile,
                 {{"environment", {{"USERNAME", "Mei"}}},
                  {"power", {{"acLineStatus", 1}, {"batteryFlag", 8}, {"batteryLifePercent", 5}}},
                  {"disks", {{"C:", {{"totalGB", 200}, {"freeGB", 150}}}}},
                  {"memory", {{"totalPhys", 4096 * kMB}, {"availPhys", 1024 * kMB + kMB / 2}}},
                  {"processes",
                   {{{"pid", 4}, {"name", "System"}, {"protected", true}},
                    {{"pid", 2200}, {"name", "explorer.exe"}, {"workingSet", 100 * kMB}},
                    {{"pid", 3300}, {"name", "WeChat.exe"}, {"workingSet", 100 * kMB}}}},
                  {"files",
                   {{{"path", local + "\\Temp\\a.tmp"}, {"size", 3 * kMB}, {"ageHours", 5}},
                    {{"path", local + "\\Temp\\busy.tmp"}, {"size", 9 * kMB}, {"attributes", {"locked"}}},
                    {{"path", local + "\\Microsoft\\Windows\\Fonts\\FontCache.dat"}, {"size", 2 * kMB}}}}});
    return profile;
}

} // namespace

// The first three stages inside a whole run: their exact progress updates and log lines, and the figures
// the run reports for them.
class TestPhase1Cleanup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testFirstStagesOfAWholeRun()
    {
        TestMachine machine(notebook());
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        QSignalSpy finished(&core, &OptimizeCore::optimizationFinished);
        const int mark = RunLogLines::mark();
        core.startOptimize();

        using Update = std::tuple<int, int, QString>;
        QList<Update> seen;
        for (const auto& arguments : progress)
            seen.append({arguments[0].toInt(), arguments[1].toInt(), arguments[2].toString()});
        const QList<Update> expected = {
            {0, 0, QStringLiteral("正在检查系统环境...")},
            {0, 5, QStringLiteral("环境正常，开始优化...")},
            {1, 10, QStringLiteral("正在清理系统缓存...")},
            {1, 12, QStringLiteral("正在清理Windows错误报告...")},
            {1, 15, QStringLiteral("正在清理.NET临时文件...")},
            {1, 18, QStringLiteral("正在检查磁盘使用率...")},
            {1, 22, QStringLiteral("正在清理着色器缓存...")},
            {1, 24, QStringLiteral("正在重建字体缓存...")},
            {1, 25, QStringLiteral("正在清理传递优化缓存...")},
            {1, 26, QStringLiteral("正在刷新DNS缓存...")},
            {1, 27, QStringLiteral("正在清理旧版系统缓存...")},
            {1, 29, QStringLiteral("磁盘清理完成")},
            {2, 30, QStringLiteral("正在整理闲置内存...")},
            {2, 32, QStringLiteral("正在整理系统内存列表...")},
            {2, 34, QStringLiteral("正在回收进程工作集...")},
            {2, 38, QStringLiteral("正在计算内存释放量...")},
            {2, 39, QStringLiteral("内存优化完成")},
            {3, 40, QStringLiteral("正在调整系统设置...")},
        };
        QCOMPARE(seen.mid(0, expected.size()), expected);

        const QStringList lines = RunLogLines::engineSince(mark);
        const QStringList firstStages = {
            QStringLiteral("  清理 [A1 WER错误报告]: +0 MB"),
            QStringLiteral("  清理 [A5 .NET临时文件]: +0 MB"),
            QStringLiteral("  清理 [B1 系统文件缓存(≥85%)]: +0 MB"),
            QStringLiteral("  清理 [A3 着色器缓存]: +0 MB"),
            QStringLiteral("  清理 [A6 字体缓存]: +2 MB"),
            QStringLiteral("  清理 [A4 传递优化缓存]: +0 MB"),
            QStringLiteral("  已执行 A7：DNS缓存刷新（ipconfig /flushdns）"),
            QStringLiteral("    清理目录 C:\\Users\\Mei\\AppData\\Local\\Temp\\: 释放 3 MB，删除 1 个文件"),
            QStringLiteral("  清理 [V1.4 浏览器/TEMP/缩略图]: +3 MB"),
            QStringLiteral("  内存优化: 释放 200 MB"),
        };
        QCOMPARE(lines.mid(0, firstStages.size()), firstStages);

        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][1].toInt(), 200);
        QCOMPARE(core.cleanedMB, 5);
        QCOMPARE(core.junkFilesCount, 2);
        QVERIFY(core.hasBattery);
        QVERIFY(!core.onBattery);
        QCOMPARE(core.batteryPercent, 5);
        QVERIFY(lines.last().contains(QStringLiteral("清理文件 2 个")));
    }
};

QTEST_GUILESS_MAIN(TestPhase1Cleanup)
#include "TestPhase1Cleanup.moc"
