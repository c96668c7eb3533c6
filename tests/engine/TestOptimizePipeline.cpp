#include "log/RunLogger.h"
#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TempStick.h"
#include "support/TestMachine.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <tuple>

// The pipeline's own behaviour: its progress updates in order, the summary line, the single finishing
// signal and the refusal path. The stages' own updates are tested with the stages.
class TestOptimizePipeline : public QObject {
    Q_OBJECT

private:
    TempStick stick_;

    static QStringList summaryLines()
    {
        QFile file(RunLogger::instance().logFilePath);
        file.open(QIODevice::ReadOnly);
        QStringList found;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.contains(QStringLiteral("Phase1 完成汇总")))
                found.append(line);
        }
        return found;
    }

    using Update = std::tuple<int, int, QString>;

    static QList<Update> updates(const QSignalSpy& spy)
    {
        QList<Update> list;
        for (const auto& arguments : spy)
            list.append({arguments[0].toInt(), arguments[1].toInt(), arguments[2].toString()});
        return list;
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogger::instance().initialize(stick_.appDir(), QString(), machine.platform());
    }

    void testPipelineUpdatesComeInOrder()
    {
        TestMachine machine;
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        core.startOptimize();
        const QList<Update> expected = {
            {0, 0, QStringLiteral("正在检查系统环境...")},   {0, 5, QStringLiteral("环境正常，开始优化...")},
            {1, 10, QStringLiteral("正在清理系统缓存...")},  {2, 30, QStringLiteral("正在整理闲置内存...")},
            {3, 40, QStringLiteral("正在调整系统设置...")},  {4, 65, QStringLiteral("正在优化隐私选项...")},
            {5, 75, QStringLiteral("正在优化磁盘性能...")},  {6, 85, QStringLiteral("正在分析开机启动项...")},
            {6, 92, QStringLiteral("正在扫描卸载残留...")},  {6, 95, QStringLiteral("正在生成详细分析报告...")},
            {6, 100, QStringLiteral("优化完成！")},
        };
        const QList<Update> seen = updates(progress);
        int next = 0;
        for (const Update& update : seen) {
            if (next < expected.size() && update == expected[next])
                ++next;
        }
        QCOMPARE(next, expected.size());
        QCOMPARE(seen.first(), expected.first());
        QCOMPARE(seen.last(), expected.last());
    }

    void testFinishesOnceWithTheFiguresAndTheSummaryLine()
    {
        TestMachine machine;
        OptimizeCore core(machine.platform());
        QSignalSpy finished(&core, &OptimizeCore::optimizationFinished);
        QSignalSpy error(&core, &OptimizeCore::errorOccurred);
        const int before = summaryLines().size();
        core.startOptimize();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(error.count(), 0);
        const QList<QVariant> figures = finished.first();
        QCOMPARE(figures[0].toInt(), core.cleanedMB);
        QCOMPARE(figures[1].toInt(), core.freedMemoryMB);
        QCOMPARE(figures[2].toInt(), core.junkFilesCount);
        QCOMPARE(figures[3].toInt(), core.startupFasterSeconds);
        QCOMPARE(figures[4].toInt(), core.startupItemsCount);
        QCOMPARE(core.startupFasterSeconds, 6 * core.startupItemsCount);
        const QStringList lines = summaryLines();
        QCOMPARE(lines.size(), before + 1);
        const QString expected = QStringLiteral("[引擎] Phase1 完成汇总：清理 %1 MB | 释放内存 %2 MB | 清理文件 %3 个 | "
                                                "开机提速 %4 秒 | 自启项 %5 个 | 卸载残留 %6 个")
                                     .arg(core.cleanedMB)
                                     .arg(core.freedMemoryMB)
                                     .arg(core.junkFilesCount)
                                     .arg(core.startupFasterSeconds)
                                     .arg(core.startupItemsCount)
                                     .arg(core.uninstallResidueCount);
        QVERIFY2(lines.last().endsWith(expected), qPrintable(lines.last()));
        QCOMPARE(core.systemDrive, QStringLiteral("C:"));
    }

    void testFiguresAreResetAtTheStart()
    {
        TestMachine machine;
        OptimizeCore core(machine.platform());
        core.cleanedMB = 7;
        core.freedMemoryMB = 7;
        core.junkFilesCount = 7;
        core.startupFasterSeconds = 7;
        core.startupItemsCount = 7;
        QSignalSpy finished(&core, &OptimizeCore::optimizationFinished);
        core.startOptimize();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(core.startupFasterSeconds, 6 * core.startupItemsCount);
        QVERIFY(core.cleanedMB != 7 || core.junkFilesCount != 7);
    }

    // The whole sequence a listener sees on the default machine, stages' own updates included. Only the
    // update at 20 % depends on how full the system drive is.
    void testDefaultMachineGivesTheWholeSequence()
    {
        TestMachine machine(platform::sim::defaultMachineProfile());
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        QSignalSpy finished(&core, &OptimizeCore::optimizationFinished);
        core.startOptimize();
        QCOMPARE(finished.count(), 1);
        const QList<QPair<int, int>> expected = {
            {0, 0},  {0, 5},  {1, 10}, {1, 12}, {1, 15}, {1, 18}, {1, 20}, {1, 22}, {1, 24}, {1, 25}, {1, 26},
            {1, 27}, {1, 29}, {2, 30}, {2, 32}, {2, 34}, {2, 38}, {2, 39}, {3, 40}, {3, 42}, {3, 44}, {3, 46},
            {3, 48}, {3, 50}, {3, 52}, {3, 55}, {3, 60}, {3, 64}, {4, 65}, {4, 66}, {4, 68}, {4, 70}, {4, 74},
            {5, 75}, {5, 76}, {5, 80}, {5, 82}, {5, 83}, {5, 84}, {5, 85}, {6, 85}, {6, 86}, {6, 88}, {6, 89},
            {6, 90}, {6, 91}, {6, 92}, {6, 95}, {6, 96}, {6, 97}, {6, 98}, {6, 98}, {6, 99}, {6, 100},
        };
        QList<QPair<int, int>> seen;
        for (const Update& update : updates(progress))
            seen.append({std::get<0>(update), std::get<1>(update)});
        QList<QPair<int, int>> wanted = expected;
        if (!seen.contains({1, 20}))
            wanted.removeOne({1, 20});
        QCOMPARE(seen, wanted);
        for (int i = 1; i < seen.size(); ++i) {
            const QByteArray where = QByteArray::number(i);
            QVERIFY2(seen[i].second >= seen[i - 1].second, ("the ring ran back at update " + where).constData());
            QVERIFY2(seen[i].first >= seen[i - 1].first, ("the step went back at update " + where).constData());
        }
        QVERIFY(core.cleanedMB > 0);
        QVERIFY(core.junkFilesCount > 0);
        QVERIFY(core.startupItemsCount > 0);
        QVERIFY(core.uninstallResidueCount > 0);
        QVERIFY(!core.report.startupItems.isEmpty());
        QVERIFY(!core.report.browserItems.isEmpty());
        QVERIFY(!core.report.popupWindows.isEmpty());
        QVERIFY(!core.report.conflicts.isEmpty());
    }

    void testSecondRunFindsTheCachesEmpty()
    {
        TestMachine machine(platform::sim::defaultMachineProfile());
        {
            OptimizeCore first(machine.platform());
            first.startOptimize();
            QVERIFY(first.junkFilesCount > 0);
        }
        machine.reopen();
        OptimizeCore second(machine.platform());
        QSignalSpy finished(&second, &OptimizeCore::optimizationFinished);
        second.startOptimize();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(second.junkFilesCount, 0);
        QCOMPARE(second.cleanedMB, 0);
    }

    void testRefusedRunEmitsOnlyTheFirstUpdateAndTheError_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addRow("Vista") << 6 << 0;
        QTest::addRow("XP") << 5 << 1;
        QTest::addRow("between 7 and 10") << 8 << 0;
    }

    void testRefusedRunEmitsOnlyTheFirstUpdateAndTheError()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        nlohmann::json profile = TestMachine::windows10();
        profile["system"]["version"] = {{"major", major}, {"minor", minor}, {"build", 6002}};
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        QSignalSpy finished(&core, &OptimizeCore::optimizationFinished);
        QSignalSpy error(&core, &OptimizeCore::errorOccurred);
        const int before = summaryLines().size();
        core.startOptimize();
        QCOMPARE(updates(progress), (QList<Update>{{0, 0, QStringLiteral("正在检查系统环境...")}}));
        QCOMPARE(error.count(), 1);
        QCOMPARE(error.first().first().toString(), QStringLiteral("当前系统版本不支持（需Windows 7 SP1及以上）。"));
        QCOMPARE(finished.count(), 0);
        QCOMPARE(summaryLines().size(), before);
    }
};

QTEST_GUILESS_MAIN(TestOptimizePipeline)
#include "TestOptimizePipeline.moc"
