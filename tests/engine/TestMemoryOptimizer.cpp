#include "engine/MemoryOptimizer.h"
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

// 1 GiB available; every process holds 100 MB of working set, except the ones below id 10, which hold
// 1 MB so that a trim there would show.
nlohmann::json pcWithProcesses(bool administrator = true, bool snapshotFails = false)
{
    nlohmann::json profile = TestMachine::windows10();
    nlohmann::json processes = nlohmann::json::array();
    for (std::uint32_t pid : {0u, 4u, 8u})
        processes.push_back({{"pid", pid}, {"name", "System"}, {"workingSet", kMB}});
    for (std::uint32_t pid : {400u, 1200u, 5000u})
        processes.push_back({{"pid", pid}, {"name", "app.exe"}, {"workingSet", 100 * kMB}});
    processes.push_back({{"pid", 600}, {"name", "csrss.exe"}, {"protected", true}, {"workingSet", 100 * kMB}});
    processes.push_back({{"pid", 7400}, {"name", "tidewell.exe"}, {"self", true}, {"workingSet", 100 * kMB}});
    mergeProfile(profile, {{"processes", processes},
                           {"memory", {{"totalPhys", 8192 * kMB}, {"availPhys", 1024 * kMB}}},
                           {"security", {{"administrator", administrator}}},
                           {"processSnapshotFails", snapshotFails}});
    return profile;
}

} // namespace

// The memory step: what it trims, what it never opens, and how it measures.
class TestMemoryOptimizer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testMegabyteBoundariesDecide_data()
    {
        QTest::addColumn<quint64>("before");
        QTest::addColumn<quint64>("after");
        QTest::addColumn<int>("freed");
        QTest::addRow("1023.9 to 1024.1 MB") << quint64(1073636966) << quint64(1073846681) << 1;
        QTest::addRow("one byte across a boundary") << quint64(1048575) << quint64(1048576) << 1;
        QTest::addRow("almost a megabyte within one") << quint64(1048576) << quint64(2097151) << 0;
        QTest::addRow("unchanged") << quint64(5 * kMB) << quint64(5 * kMB) << 0;
        QTest::addRow("memory dropped") << quint64(2048 * kMB) << quint64(1900 * kMB) << 0;
        QTest::addRow("large gain") << quint64(1024 * kMB) << quint64(7000 * kMB) << 5976;
    }

    void testMegabyteBoundariesDecide()
    {
        QFETCH(quint64, before);
        QFETCH(quint64, after);
        QTEST(MemoryOptimizer::freedMegabytes(before, after), "freed");
    }

    void testTrimsEveryOtherProcessAndReports()
    {
        TestMachine machine(pcWithProcesses(false));
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        const int mark = RunLogLines::mark();
        QCOMPARE(core.optimizeMemory(), 300);
        using Update = std::tuple<int, int, QString>;
        QList<Update> seen;
        for (const auto& arguments : progress)
            seen.append({arguments[0].toInt(), arguments[1].toInt(), arguments[2].toString()});
        QCOMPARE(seen, (QList<Update>{{2, 32, QStringLiteral("正在整理系统内存列表...")},
                                      {2, 34, QStringLiteral("正在回收进程工作集...")},
                                      {2, 38, QStringLiteral("正在计算内存释放量...")},
                                      {2, 39, QStringLiteral("内存优化完成")}}));
        QCOMPARE(RunLogLines::engineSince(mark),
                 (QStringList{QStringLiteral("  内存优化: 无法整理系统内存列表（错误 1314）"),
                              QStringLiteral("  内存优化: 释放 300 MB")}));
        const QStringList trims = machine.journal().filter(QStringLiteral("working set trimmed"));
        QCOMPARE(trims, (QStringList{QStringLiteral("process 400 app.exe working set trimmed"),
                                     QStringLiteral("process 1200 app.exe working set trimmed"),
                                     QStringLiteral("process 5000 app.exe working set trimmed")}));
    }

    void testMemoryListRequestEmptiesWorkingSets()
    {
        TestMachine machine(pcWithProcesses(true));
        OptimizeCore core(machine.platform());
        // The request empties every working set it may touch, the engine's own and the low ids included;
        // the trim that follows finds nothing more.
        QCOMPARE(core.optimizeMemory(), 3 + 300 + 100);
        QVERIFY(machine.journal().contains(QStringLiteral("memory list command 2 (SystemMemoryListInformation)")));
    }

    void testUnreadableMemoryGivesNoFigure()
    {
        nlohmann::json profile = pcWithProcesses(true);
        profile["memory"]["unreadable"] = true;
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        QCOMPARE(core.optimizeMemory(), 0);
        QCOMPARE(RunLogLines::engineSince(mark), QStringList{QStringLiteral("  内存优化: 无法读取可用内存，释放量未知")});
    }

    void testNoSnapshotMeansNothingTrimmed()
    {
        TestMachine machine(pcWithProcesses(false, true));
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        QCOMPARE(core.optimizeMemory(), 0);
        QCOMPARE(RunLogLines::engineSince(mark),
                 (QStringList{QStringLiteral("  内存优化: 无法整理系统内存列表（错误 1314）"),
                              QStringLiteral("  内存优化: 释放 0 MB")}));
        QVERIFY(machine.journal().filter(QStringLiteral("working set trimmed")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMemoryOptimizer)
#include "TestMemoryOptimizer.moc"
