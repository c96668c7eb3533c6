#include "phase2/Phase2Executor.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>

namespace {

QVector<OptItem> unknownItems(int count)
{
    QVector<OptItem> items;
    for (int i = 1; i <= count; ++i) {
        OptItem item;
        item.id = QStringLiteral("Z%1").arg(i);
        item.title = QStringLiteral("项%1").arg(i);
        items.append(item);
    }
    return items;
}

} // namespace

// The executor's frame: each item announced as it starts, the summary, the log, the demonstration mode and stopping
// between items.
class TestPhase2Executor : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testProgressSummaryAndLog_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("percents");
        QTest::addRow("one item") << 1 << QList<int>{0};
        QTest::addRow("three items") << 3 << QList<int>{0, 33, 66};
    }

    void testProgressSummaryAndLog()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, percents);
        TestMachine machine;
        Phase2Executor executor(machine.platform());
        QSignalSpy progress(&executor, &Phase2Executor::progressUpdated);
        QSignalSpy finished(&executor, &Phase2Executor::finished);
        const int mark = RunLogLines::mark();
        executor.execute(unknownItems(count), ScanReportBundle(), 1, 256);
        QList<int> seen;
        QStringList statuses;
        QStringList running;
        for (const auto& signal : progress) {
            seen.append(signal.at(0).toInt());
            statuses.append(signal.at(1).toString());
            running.append(QStringLiteral("正在执行：项%1").arg(statuses.size()));
        }
        QCOMPARE(seen, percents);
        QCOMPARE(statuses, running);
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines.append(QStringLiteral("项%1：未知服务项").arg(i));
        QCOMPARE(finished.first().at(0).toString(),
                 QStringLiteral("本次共执行 %1 项优化：\n").arg(count) + lines.join(QLatin1Char('\n')));
        QStringList log{QStringLiteral("[Phase2] 共执行 %1 项：").arg(count)};
        for (const QString& line : lines)
            log.append(QStringLiteral("  ") + line);
        QCOMPARE(RunLogLines::since(mark), log);
    }

    void testDemonstrationChangesNothing()
    {
        TestMachine machine(TestMachine::windows10());
        Phase2Executor executor(machine.platform(), true);
        QSignalSpy finished(&executor, &Phase2Executor::finished);
        QVector<OptItem> items(2);
        items[0].id = QStringLiteral("C9");
        items[0].title = QStringLiteral("打印后台服务");
        items[1].id = QStringLiteral("ST:2:QQ");
        const int mark = RunLogLines::mark();
        executor.execute(items, ScanReportBundle(), 1, 256);
        QCOMPARE(finished.first().at(0).toString(),
                 QStringLiteral("本次共执行 2 项优化：\n打印后台服务（Spooler）：已设为手动启动\n已禁用开机自启：QQ"));
        QVERIFY(machine.journal().isEmpty());
        QVERIFY(RunLogLines::since(mark).isEmpty());
    }

    void testStopsBetweenItemsWhenAsked()
    {
        TestMachine machine;
        QThread thread;
        auto* executor = new Phase2Executor(machine.platform());
        executor->moveToThread(&thread);
        // Asked while the first item is announced, as closing the window would ask.
        connect(executor, &Phase2Executor::progressUpdated, executor,
                [] { QThread::currentThread()->requestInterruption(); }, Qt::DirectConnection);
        QSignalSpy finished(executor, &Phase2Executor::finished);
        const auto items = unknownItems(3);
        connect(&thread, &QThread::started, executor, [executor, items] {
            executor->execute(items, ScanReportBundle(), 1, 256);
        });
        connect(&thread, &QThread::finished, executor, &QObject::deleteLater);
        thread.start();
        QTRY_COMPARE(finished.size(), 1);
        thread.quit();
        QVERIFY(thread.wait(5000));
        QCOMPARE(finished.first().at(0).toString(),
                 QStringLiteral("本次共执行 1 项优化：\n项1：未知服务项\n执行已中止，其余 2 项未执行"));
    }
};

QTEST_GUILESS_MAIN(TestPhase2Executor)
#include "TestPhase2Executor.moc"
