#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

#include <tuple>

namespace {

const char* const kClass = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";

using Update = std::tuple<int, int, QString>;

} // namespace

// A whole phase-1 run on the embedded default machine, seen from the settings, privacy and storage stages:
// their progress in the pipeline's sequence, and the machine as the next run finds it.
class TestTweaksOnDefaultMachine : public QObject {
    Q_OBJECT

private:
    TestMachine* machine_ = nullptr;
    QList<Update> updates_;
    QStringList lines_;
    QStringList journal_;

private slots:
    void initTestCase()
    {
        machine_ = new TestMachine(platform::sim::defaultMachineProfile());
        RunLogLines::start(machine_->platform());
        OptimizeCore core(machine_->platform());
        QSignalSpy spy(&core, &OptimizeCore::progressUpdated);
        const int mark = RunLogLines::mark();
        core.startOptimize();
        for (const auto& update : spy)
            updates_.append({update[0].toInt(), update[1].toInt(), update[2].toString()});
        lines_ = RunLogLines::engineSince(mark);
        journal_ = machine_->journal();
        machine_->reopen();
    }

    void cleanupTestCase() { delete machine_; }

    void testStagesReportInPipelineOrder()
    {
        QList<Update> stages;
        for (const Update& update : updates_) {
            if (std::get<0>(update) >= 3 && std::get<0>(update) <= 5 && std::get<1>(update) <= 85)
                stages.append(update);
        }
        QList<int> percents;
        for (const Update& update : stages)
            percents.append(std::get<1>(update));
        QCOMPARE(percents, (QList<int>{40, 42, 44, 46, 48, 50, 52, 55, 60, 64, 65, 66, 68, 70, 74, 75, 76, 80, 82, 83, 84,
                                       85}));
        QCOMPARE(std::get<2>(stages[20]), QStringLiteral("正在优化SSD（TRIM）..."));
    }

    void testDesktopWithPdfPrinterKeepsTwoServices()
    {
        QVERIFY(lines_.contains(QStringLiteral("C5 跳过：检测到虚拟打印机，保留 PrintWorkflow")));
        QVERIFY(lines_.contains(QStringLiteral("C6 跳过：台式机不需要生物识别服务")));
        QVERIFY(lines_.contains(QStringLiteral("  服务禁用 [C2-C7]: DoSvc → 已禁用")));
        QVERIFY(lines_.contains(QStringLiteral("  服务 [V1.4]: sshd → 不存在或已禁用，跳过")));
        const auto& services = machine_->machine().document()["services"];
        QCOMPARE(services["DoSvc"]["startType"], "disabled");
        QCOMPARE(services["stisvc"]["startType"], "disabled");
        QCOMPARE(services["WbioSrvc"]["startType"], "manual");
    }

    void testSavedMachineShowsTheChanges()
    {
        const auto& document = machine_->machine().document();
        const auto& registry = document["registry"];
        QCOMPARE(registry["HKCU\\Control Panel\\Desktop"]["MenuShowDelay"], "0");
        QCOMPARE(registry["HKLM\\SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection"]["AllowTelemetry"], 0);
        QCOMPARE(registry[std::string(kClass) + "\\0001"]["PnPCapabilities"], 24);
        QCOMPARE(registry[std::string(kClass) + "\\0004"]["PnPCapabilities"], 0);
        QCOMPARE(document["boot"]["timeout"], 0);
        QCOMPARE(document["boot"]["entries"]["{current}"]["quietboot"], true);
        QCOMPARE(document["powerSchemes"]["active"], "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c");
        QStringList disabled;
        for (const auto& task : document["tasks"]) {
            const QString path = QString::fromStdString(task["path"].get<std::string>());
            if (path.startsWith(QStringLiteral("\\Microsoft\\")) && !task.value("enabled", true))
                disabled.append(path.section(QLatin1Char('\\'), -1));
        }
        QCOMPARE(disabled, (QStringList{QStringLiteral("Microsoft Compatibility Appraiser"),
                                        QStringLiteral("ProgramDataUpdater"), QStringLiteral("Consolidator"),
                                        QStringLiteral("UsbCeip"),
                                        QStringLiteral("Microsoft-Windows-DiskDiagnosticDataCollector")}));
    }

    void testStorageDecisionAndItsCommands()
    {
        QVERIFY(lines_.contains(QStringLiteral("    D1 已启用快速启动: powercfg /hibernate on + /h /type full")));
        QVERIFY(lines_.contains(QStringLiteral("  磁盘维护: SSD → 执行 TRIM (/L)")));
        QVERIFY(
            journal_.contains(QStringLiteral("command C:\\Windows\\system32\\powercfg.exe /hibernate on -> exit 0")));
        QVERIFY(journal_.contains(QStringLiteral("command C:\\Windows\\system32\\defrag.exe C: /L -> exit 0")));
        QVERIFY(QFileInfo::exists(machine_->hostPath(QStringLiteral("C:\\hiberfil.sys"))));
        for (const QString& line : journal_) {
            if (line.startsWith(QStringLiteral("command C:\\Windows\\system32\\bcdedit.exe /export ")))
                QVERIFY(QFileInfo::exists(machine_->hostPath(line.section(QLatin1Char(' '), 3, 3))));
        }
    }
};

QTEST_GUILESS_MAIN(TestTweaksOnDefaultMachine)
#include "TestTweaksOnDefaultMachine.moc"
