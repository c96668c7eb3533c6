#include "engine/PhaseTwoPlaces.h"
#include "phase2/DiskDiagnosticTasks.h"
#include "phase2/EventLogLimit.h"
#include "phase2/LargeFileScan.h"
#include "phase2/PolicyRunBackup.h"
#include "phase2/RestorePointCleanup.h"
#include "phase2/RestorePointListing.h"
#include "phase2/ServiceStartItem.h"
#include "phase2/StartupItemAction.h"
#include "phase2/TcpAutoTuning.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"
#include "text/PlatformText.h"

#include <QtTest>

using namespace platform;
using platform::sim::mergeProfile;
using Outcome = ItemResult::Outcome;

Q_DECLARE_METATYPE(ItemResult::Outcome)

namespace {

nlohmann::json machineWith(const nlohmann::json& overlay)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, overlay);
    return profile;
}

const char* const kPolicyRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";

} // namespace

// The fixed phase-2 items on the simulated PC: what each changes and the line that says so.
class TestPhase2Items : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testWmicRestorePointTable_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("points"); // "sequence:description;..."
        const QByteArray header =
            "CreationTime               Description                          SequenceNumber  \r\r\n";
        QTest::addRow("real layout")
            << header + "20261101093000.000000-000  Windows Update                       41              \r\r\n"
                        "20261020080000.000000-000  Installed App                        40              \r\r\n\r\r\n"
            << "41:Windows Update;40:Installed App";
        QTest::addRow("empty description")
            << header + "20261101093000.000000-000                                       41              \r\r\n"
            << "41:";
        QTest::addRow("hostile description")
            << header + "20261101093000.000000-000  7 SequenceNumber 99 del /q C:\\       42              \r\r\n"
            << "42:7 SequenceNumber 99 del /q C:\\";
        QTest::addRow("sequence not all digits")
            << header + "20261101093000.000000-000  x                                    4' or 1=1       \r\r\n"
            << "";
        QTest::addRow("beyond 32 bits")
            << header + "20261101093000.000000-000  x                                    99999999999     \r\r\n"
            << "";
        QTest::addRow("no header column") << QByteArray("Description  \r\r\nx  \r\r\n") << "";
        QTest::addRow("nothing") << QByteArray() << "";
    }

    void testWmicRestorePointTable()
    {
        QFETCH(QByteArray, output);
        QStringList seen;
        for (const auto& point : RestorePointListing::parseWmicTable(output))
            seen.append(QStringLiteral("%1:%2").arg(point.sequenceNumber).arg(point.description));
        QTEST(seen.join(QLatin1Char(';')), "points");
    }

    void testRestorePointsDeletedOldestFirst_data()
    {
        QTest::addColumn<int>("keep");
        QTest::addColumn<bool>("nativeFails");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("left");
        QTest::addRow("keep 1") << 1 << false << "系统还原点：共 3 个，已删除 2 个，保留最近 1 个" << QStringList{"45"};
        QTest::addRow("keep 3") << 3 << false << "系统还原点：当前 3 个，无需清理" << QStringList{"38", "45", "41"};
        QTest::addRow("keep 2 through wmic")
            << 2 << true << "系统还原点：共 3 个，已删除 1 个，保留最近 2 个" << QStringList{"45", "41"};
    }

    void testRestorePointsDeletedOldestFirst()
    {
        QFETCH(int, keep);
        QFETCH(bool, nativeFails);
        TestMachine machine(machineWith({{"restorePoints",
                                          {{{"sequenceNumber", 38}, {"description", "a"}},
                                           {{"sequenceNumber", 45}, {"description", "b"}},
                                           {{"sequenceNumber", 41}, {"description", ""}}}}}));
        if (nativeFails) {
            // WMI refuses the native query; wmic answers from the same points.
            machine.machine().document()["wmiComFails"] = true;
        }
        QTEST(RestorePointCleanup(machine.platform()).run(keep).line, "line");
        QStringList left;
        for (const auto& point : machine.machine().document()["restorePoints"])
            left.append(QString::number(point["sequenceNumber"].get<int>()));
        QTEST(left, "left");
    }

    void testEventLogsAreNeverRaised_data()
    {
        QTest::addColumn<int>("sizeMB");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<qint64>>("after");
        QTest::addRow("256 MB")
            << 256 << "事件日志大小限制：已设为 256 MB（System）；Application、Security 已不超过 256 MB，未改动"
            << QList<qint64>{20971520, 268435456, 268435456};
        QTest::addRow("128 MB")
            << 128 << "事件日志大小限制：已设为 128 MB（System、Security）；Application 已不超过 128 MB，未改动"
            << QList<qint64>{20971520, 134217728, 134217728};
    }

    void testEventLogsAreNeverRaised()
    {
        QFETCH(int, sizeMB);
        QFETCH(QList<qint64>, after);
        TestMachine machine(machineWith({{"eventLogs",
                                          {{"Application", {{"maxSize", 20971520}}},
                                           {"System", {{"maxSize", 1073741824}}},
                                           {"Security", {{"maxSize", 268435456}}}}}}));
        QTEST(EventLogLimit(machine.platform()).run(sizeMB).line, "line");
        const auto& logs = machine.machine().document()["eventLogs"];
        QCOMPARE((QList<qint64>{logs["Application"]["maxSize"].get<qint64>(), logs["System"]["maxSize"].get<qint64>(),
                                logs["Security"]["maxSize"].get<qint64>()}),
                 after);
    }

    void testEventLogFailureIsReported()
    {
        TestMachine machine(machineWith({{"eventLogs", {{"System", {{"maxSize", 1073741824}}}}}}));
        QCOMPARE(EventLogLimit(machine.platform()).run(256).line,
                 QStringLiteral("事件日志大小限制：已设为 256 MB（System）；Application、Security 设置失败"));
    }

    void testTcpAutoTuningReadsTheExitCode_data()
    {
        QTest::addColumn<QString>("tool"); // the profile's override for netsh, empty for the simulated one
        QTest::addColumn<QString>("line");
        QTest::addColumn<Outcome>("outcome");
        QTest::addRow("simulated netsh") << ""
                                         << "TCP自动调优：已恢复为 normal" << Outcome::Changed;
        QTest::addRow("netsh fails") << "fails"
                                     << "TCP自动调优：设置失败（netsh 返回 1）" << Outcome::Failed;
        QTest::addRow("netsh missing") << "missing"
                                       << "TCP自动调优：无法运行 netsh，未作改动" << Outcome::Failed;
    }

    void testTcpAutoTuningReadsTheExitCode()
    {
        QFETCH(QString, tool);
        TestMachine machine(machineWith({{"tcpGlobal", {{"autotuninglevel", "disabled"}}}}));
        if (tool == QLatin1String("fails"))
            machine.machine().document()["tools"]["netsh"] = {{"exitCode", 1}};
        else if (!tool.isEmpty())
            machine.machine().document()["tools"]["netsh"] = tool.toStdString();
        const ItemResult result = TcpAutoTuning(machine.platform()).run();
        QTEST(result.line, "line");
        QTEST(result.outcome, "outcome");
    }

    void testServiceStartTypes_data()
    {
        QTest::addColumn<QString>("startType");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("log");
        QTest::addRow("automatic") << "auto"
                                   << "Windows Search（WSearch）：已设为手动启动"
                                   << "manual" << QStringList{"[Phase2] 服务 WSearch 原启动类型: 自动，已设为手动启动"};
        QTest::addRow("already manual") << "manual"
                                        << "Windows Search（WSearch）：已是手动启动"
                                        << "manual" << QStringList{};
        QTest::addRow("disabled stays") << "disabled"
                                        << "Windows Search（WSearch）：已是禁用状态，未改动"
                                        << "disabled" << QStringList{};
    }

    void testServiceStartTypes()
    {
        QFETCH(QString, startType);
        TestMachine machine(
            machineWith({{"services", {{"WSearch", {{"state", "running"}, {"startType", startType.toStdString()}}}}}}));
        const int mark = RunLogLines::mark();
        OptItem item;
        item.id = QStringLiteral("C1");
        item.title = QStringLiteral("Windows Search");
        QTEST(ServiceStartItem(machine.platform()).run(item).line, "line");
        QTEST(RunLogLines::since(mark), "log");
        machine.reopen();
        QTEST(
            QString::fromStdString(machine.machine().document()["services"]["WSearch"]["startType"].dump()).remove('"'),
            "after");
    }

    void testMissingAndUnknownServices()
    {
        TestMachine machine;
        OptItem item;
        item.id = QStringLiteral("C10");
        item.title = QStringLiteral("蜂窝网络服务");
        QCOMPARE(ServiceStartItem(machine.platform()).run(item).line, QStringLiteral("蜂窝网络服务：设置失败或服务不存在"));
        item.id = QStringLiteral("Z9");
        QCOMPARE(ServiceStartItem(machine.platform()).run(item).line, QStringLiteral("蜂窝网络服务：未知服务项"));
    }

    void testDiskDiagnosticTasks()
    {
        TestMachine machine(machineWith(
            {{"tasks",
              {{{"path", "\\Microsoft\\Windows\\DiskDiagnostic\\Collector"}, {"enabled", true}, {"hidden", true}},
               {{"path", "\\Microsoft\\Windows\\DiskDiagnostic\\Resolver"}, {"enabled", false}}}}}));
        QCOMPARE(DiskDiagnosticTasks(machine.platform()).run().line,
                 QStringLiteral("磁盘诊断服务：已禁用后台收集任务（1 个）"));
        QCOMPARE(DiskDiagnosticTasks(machine.platform()).run().line,
                 QStringLiteral("磁盘诊断服务：后台收集任务已是禁用状态"));
        TestMachine empty;
        QCOMPARE(DiskDiagnosticTasks(empty.platform()).run().line,
                 QStringLiteral("磁盘诊断服务：未找到后台收集任务，未作改动"));
    }

    void testLargeFiles()
    {
        TestMachine machine(
            machineWith({{"files",
                          {{{"path", "C:\\Data\\exact.bin"}, {"size", 104857600}},
                           {{"path", "C:\\Data\\big.iso"}, {"size", 209715201}},
                           {{"path", "C:\\Data\\%1\\big.iso"}, {"size", 209715201}},
                           {{"path", "C:\\Data\\hidden.bin"}, {"size", 209715201}, {"attributes", {"hidden"}}},
                           {{"path", "C:\\Link"}, {"linkTo", "C:\\Data"}}}}}));
        QCOMPARE(LargeFileScan(machine.platform()).run().line,
                 QStringLiteral("大文件扫描：\nC:\\Data\\big.iso (200 MB)\nC:\\Data\\%1\\big.iso (200 MB)"));
    }

    void testLargeFileScanSaysWhenItStoppedEarly()
    {
        nlohmann::json files = nlohmann::json::array();
        for (int i = 0; i <= LargeFileScan::kFileLimit; ++i)
            files.push_back({{"path", "C:\\Many\\f" + std::to_string(i)}, {"size", 1}});
        TestMachine machine(machineWith({{"files", files}}));
        QCOMPARE(LargeFileScan(machine.platform()).run().line,
                 QStringLiteral("大文件扫描：未发现超过100MB的大文件（文件数超过 40000，仅扫描了一部分）"));
    }

    void testStartupIds_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("line");
        QTest::addColumn<Outcome>("outcome");
        QTest::addRow("colon inside the name") << "ST:2:foo:bar"
                                               << "已禁用开机自启：foo:bar" << Outcome::Changed;
        QTest::addRow("only prefix and type") << "ST:2"
                                              << "自启禁用：参数无效" << Outcome::Failed;
        QTest::addRow("type not a number") << "ST:x:foo"
                                           << "自启禁用：参数无效" << Outcome::Failed;
        QTest::addRow("type 7 reported only") << "ST:7:foo"
                                              << "自启项仅报告，未操作：foo" << Outcome::Unchanged;
        QTest::addRow("not listed") << "ST:1:foo:bar"
                                    << "自启禁用：未找到 foo:bar，未作改动" << Outcome::Failed;
        QTest::addRow("run once") << "ST:4:Once"
                                  << "自启项只运行一次，已保留不动：Once" << Outcome::Unchanged;
        QTest::addRow("policy value missing") << "ST:6:Nothing"
                                              << "组策略自启：未找到 Nothing，未作改动" << Outcome::Failed;
    }

    void testStartupIds()
    {
        QFETCH(QString, id);
        TestMachine machine(
            machineWith({{"registry",
                          {{"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", {{"foo:bar", "f.exe"}}},
                           {"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {{"Once", "o.exe"}}}}}}));
        const ItemResult result = StartupItemAction(machine.platform()).run(id);
        QTEST(result.line, "line");
        QTEST(result.outcome, "outcome");
    }

    void testPolicyRunBackupKeepsTypeAndSize()
    {
        const std::string data(6000, 'a');
        TestMachine machine(
            machineWith({{"registry",
                          {{std::string("HKLM\\") + kPolicyRun, {{"Big", {{"expand", "%TEMP%\\" + data}}}}},
                           {std::string("HKCU\\") + kPolicyRun, {{"Big", "c.exe"}}}}}}));
        QCOMPARE(PolicyRunBackup(machine.platform()).disable(QStringLiteral("Big")).line,
                 QStringLiteral("已禁用组策略自启：Big"));
        for (const char* hive : {"HKLM", "HKCU"}) {
            std::unique_ptr<RegistryKey> key;
            RegValue value;
            QVERIFY(succeeded(machine.platform().registry.openKey(
                Hive::LocalMachine, toWString(QLatin1String(PhaseTwoPlaces::kPolicyRunBackupKey) + QLatin1String(hive)),
                RegAccess::Read, RegView::Native64, key)));
            QVERIFY(succeeded(key->queryValue(L"Big", value, 1u << 20)));
            if (QLatin1String(hive) == QLatin1String("HKLM")) {
                QCOMPARE(value.type, RegType::ExpandSz);
                QCOMPARE(value.asString().size(), std::size_t(6007));
            }
        }
        RegValue gone;
        std::unique_ptr<RegistryKey> run;
        QVERIFY(succeeded(machine.platform().registry.openKey(Hive::LocalMachine, toWString(QLatin1String(kPolicyRun)),
                                                              RegAccess::Read, RegView::Native64, run)));
        QCOMPARE(run->queryValue(L"Big", gone), ErrorFileNotFound);
    }

    void testPolicyRunKeptWhenTheBackupCannotBeWritten()
    {
        TestMachine machine(machineWith({{"registry",
                                          {{std::string("HKCU\\") + kPolicyRun, {{"Ad", "ad.exe"}}},
                                           {"HKLM\\SOFTWARE\\Tidewell", {{"@readOnly", true}}}}}}));
        QCOMPARE(PolicyRunBackup(machine.platform()).disable(QStringLiteral("Ad")).line,
                 QStringLiteral("组策略自启禁用失败：Ad"));
        std::unique_ptr<RegistryKey> run;
        RegValue value;
        QVERIFY(succeeded(machine.platform().registry.openKey(Hive::CurrentUser, toWString(QLatin1String(kPolicyRun)),
                                                              RegAccess::Read, RegView::Native64, run)));
        QVERIFY(succeeded(run->queryValue(L"Ad", value)));
    }
};

QTEST_GUILESS_MAIN(TestPhase2Items)
#include "TestPhase2Items.moc"
