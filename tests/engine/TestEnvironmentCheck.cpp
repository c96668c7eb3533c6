#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TestMachine.h"

#include <QSignalSpy>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

const QString kNotAdministrator = QStringLiteral("需要管理员权限才能运行优化。");
const QString kUnsupported = QStringLiteral("当前系统版本不支持（需Windows 7 SP1及以上）。");
const QString kNoPower = QStringLiteral("无法检测电源状态。");
const QString kLowBattery = QStringLiteral("电池电量过低（低于20%），请连接电源后再试。");
const QString kNoSystemDrive = QStringLiteral("无法识别系统盘。");

nlohmann::json machineWith(const nlohmann::json& overlay)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, overlay);
    return profile;
}

nlohmann::json version(int major, int minor, int build)
{
    return {{"system", {{"version", {{"major", major}, {"minor", minor}, {"build", build}}}}}};
}

nlohmann::json power(int acLine, int batteryFlag, int percent)
{
    return {{"power", {{"acLineStatus", acLine}, {"batteryFlag", batteryFlag}, {"batteryLifePercent", percent}}}};
}

} // namespace

// The first stage: which machines are refused, with which message and in which order, and the facts
// recorded for the later stages.
class TestEnvironmentCheck : public QObject {
    Q_OBJECT

private slots:
    void testRefusals_data()
    {
        QTest::addColumn<QByteArray>("overlay");
        QTest::addColumn<QString>("refusal");
        auto row = [](const char* name, const nlohmann::json& overlay, const QString& refusal) {
            QTest::addRow("%s", name) << QByteArray::fromStdString(overlay.dump()) << refusal;
        };
        row("Windows 7 without service pack passes", version(6, 1, 7600), QString());
        row("Windows 8 passes", version(6, 2, 9200), QString());
        row("Windows 8.1 passes", version(6, 3, 9600), QString());
        row("Windows 11 passes", version(10, 0, 22631), QString());
        row("Vista refused", version(6, 0, 6002), kUnsupported);
        row("XP refused", version(5, 1, 2600), kUnsupported);
        row("version 7.0 refused", version(7, 0, 1), kUnsupported);
        row("no version at all refused", {{"system", {{"version", nullptr}}}}, kUnsupported);
        row("not an administrator", {{"security", {{"administrator", false}}}}, kNotAdministrator);
        row("administrator message before version",
            {{"security", {{"administrator", false}}}, {"system", {{"version", {{"major", 5}, {"minor", 1}}}}}},
            kNotAdministrator);
        row("battery 25 % passes", power(0, 1, 25), QString());
        row("battery 20 % passes", power(0, 1, 20), QString());
        row("battery 19 % refused", power(0, 2, 19), kLowBattery);
        row("mains 5 % passes", power(1, 4, 5), QString());
        row("unknown charge on battery refused", power(0, 255, 255), kLowBattery);
        row("unknown charge on mains passes", power(1, 255, 255), QString());
        row("power query fails", {{"power", {{"fails", true}}}}, kNoPower);
        row("power fails before low battery matters", {{"power", {{"fails", true}}}, {"system", {{"systemDirectory", ""}}}}, kNoPower);
        row("no system directory", {{"system", {{"systemDirectory", ""}}}}, kNoSystemDrive);
        row("low battery before system drive", {{"power", {{"acLineStatus", 0}, {"batteryFlag", 2}, {"batteryLifePercent", 3}}}, {"system", {{"systemDirectory", ""}}}}, kLowBattery);
        row("domain failure is no refusal", {{"system", {{"joinStatus", "fails"}}}}, QString());
    }

    void testRefusals()
    {
        QFETCH(QByteArray, overlay);
        QFETCH(QString, refusal);
        TestMachine machine(machineWith(nlohmann::json::parse(overlay.toStdString())));
        OptimizeCore core(machine.platform());
        QString message;
        QCOMPARE(core.checkEnvironment(message), refusal.isEmpty());
        QCOMPARE(message, refusal);
    }

    void testRefusedRunEmitsOnlyTheFirstUpdateAndTheError()
    {
        TestMachine machine(machineWith(power(0, 2, 10)));
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        QSignalSpy error(&core, &OptimizeCore::errorOccurred);
        QSignalSpy finished(&core, &OptimizeCore::optimizationFinished);
        core.startOptimize();
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress[0][2].toString(), QStringLiteral("正在检查系统环境..."));
        QCOMPARE(error.size(), 1);
        QCOMPARE(error[0][0].toString(), kLowBattery);
        QCOMPARE(finished.size(), 0);
        QVERIFY(machine.journal().filter(QStringLiteral("delete ")).isEmpty());
    }

    void testPowerFacts_data()
    {
        QTest::addColumn<int>("acLine");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("hasBattery");
        QTest::addColumn<bool>("onBattery");
        QTest::addColumn<int>("batteryPercent");
        QTest::addRow("desktop without battery") << 1 << 128 << 255 << false << false << -1;
        QTest::addRow("notebook on mains") << 1 << 8 << 80 << true << false << 80;
        QTest::addRow("notebook on battery") << 0 << 1 << 67 << true << true << 67;
        QTest::addRow("charge above 100 is unknown") << 1 << 1 << 101 << true << false << -1;
        QTest::addRow("AC state unknown is not battery") << 255 << 1 << 50 << true << false << 50;
    }

    void testPowerFacts()
    {
        QFETCH(int, acLine);
        QFETCH(int, flag);
        QFETCH(int, percent);
        TestMachine machine(machineWith(power(acLine, flag, percent)));
        OptimizeCore core(machine.platform());
        QString message;
        QVERIFY(core.checkEnvironment(message));
        QTEST(core.hasBattery, "hasBattery");
        QTEST(core.onBattery, "onBattery");
        QTEST(core.batteryPercent, "batteryPercent");
    }

    void testVersionAndDriveFacts()
    {
        TestMachine machine(machineWith({{"system", {{"systemDirectory", "D:\\WINDOWS\\system32"},
                                                     {"version", {{"major", 6}, {"minor", 3}, {"build", 9600}}},
                                                     {"joinStatus", "domain"}}}}));
        OptimizeCore core(machine.platform());
        QString message;
        QVERIFY(core.checkEnvironment(message));
        QCOMPARE(core.osMajor, 6);
        QCOMPARE(core.osMinor, 3);
        QCOMPARE(core.osBuild, 9600);
        QCOMPARE(core.systemDrive, QStringLiteral("D:"));
        QVERIFY(core.isDomainJoined);
    }

    void testDomainMembership_data()
    {
        QTest::addColumn<QString>("join");
        QTest::addColumn<bool>("joined");
        QTest::addRow("domain") << "domain" << true;
        QTest::addRow("workgroup") << "workgroup" << false;
        QTest::addRow("unjoined") << "unjoined" << false;
        QTest::addRow("query fails") << "fails" << false;
    }

    void testDomainMembership()
    {
        QFETCH(QString, join);
        TestMachine machine(machineWith({{"system", {{"joinStatus", join.toStdString()}}}}));
        OptimizeCore core(machine.platform());
        core.isDomainJoined = true;
        QString message;
        QVERIFY(core.checkEnvironment(message));
        QTEST(core.isDomainJoined, "joined");
    }

    // Folders at the root of the system drive, and the loaders the boot configuration lists (bcdedit's
    // headings are translated, so only the layout counts; a failing bcdedit lists none).
    void testDualBoot_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("loaders");
        QTest::addColumn<QString>("bcdedit");
        QTest::addColumn<bool>("dualBoot");
        const QStringList none;
        QTest::addRow("Windows only") << QStringList{"Windows", "Users", "Program Files"} << none << "" << false;
        QTest::addRow("Windows.old alone") << QStringList{"Windows", "Windows.old"} << none << "" << false;
        QTest::addRow("upgrade leftovers")
            << QStringList{"Windows", "WINDOWS.OLD", "Windows10Upgrade", "$WINDOWS.~BT", "$Windows.~WS"} << none << ""
            << false;
        QTest::addRow("WinNT counts") << QStringList{"Windows", "WINNT"} << none << "" << true;
        QTest::addRow("substring counts") << QStringList{"Windows", "MyWindowsBackup"} << none << "" << true;
        QTest::addRow("a file does not count") << QStringList{"Windows", "windows.txt:file"} << none << "" << false;
        QTest::addRow("a hidden folder does not count") << QStringList{"Windows", "Win7:hidden"} << none << "" << false;
        QTest::addRow("second loader on its own partition")
            << QStringList{"Windows"} << QStringList{"{7e3c1a2b-0000-4000-8000-000000000001}"} << "" << true;
        QTest::addRow("second loader, Chinese bcdedit")
            << QStringList{"Windows"} << QStringList{"{7e3c1a2b-0000-4000-8000-000000000001}"} << "Windows 启动加载器"
            << true;
        QTest::addRow("one loader and Windows.old")
            << QStringList{"Windows", "Windows.old"} << none << "Windows 启动加载器" << false;
        QTest::addRow("second loader, bcdedit missing")
            << QStringList{"Windows"} << QStringList{"{7e3c1a2b-0000-4000-8000-000000000001}"} << "missing" << false;
        QTest::addRow("second loader, bcdedit fails")
            << QStringList{"Windows"} << QStringList{"{7e3c1a2b-0000-4000-8000-000000000001}"} << "fails" << false;
    }

    void testDualBoot()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, loaders);
        QFETCH(QString, bcdedit);
        nlohmann::json files = nlohmann::json::array();
        for (const QString& folder : folders) {
            const QString kind = folder.section(QLatin1Char(':'), 1);
            nlohmann::json entry = {{"path", "C:\\" + folder.section(QLatin1Char(':'), 0, 0).toStdString()}};
            if (kind == QLatin1String("file"))
                entry["size"] = 10;
            else
                entry["folder"] = true;
            if (kind == QLatin1String("hidden"))
                entry["attributes"] = {"hidden"};
            files.push_back(entry);
        }
        nlohmann::json entries = {{"{current}", {{"description", "Windows 10"}}},
                                  {"{bootmgr}", {{"description", "Windows Boot Manager"}}}};
        for (const QString& loader : loaders)
            entries[loader.toStdString()] = {{"description", "Windows 7"}};
        nlohmann::json boot = {{"entries", entries}};
        nlohmann::json tools = nlohmann::json::object();
        if (bcdedit == QLatin1String("missing"))
            tools["bcdedit"] = "missing";
        else if (bcdedit == QLatin1String("fails"))
            tools["bcdedit"] = {{"exitCode", 1},
                                {"output", "Windows Boot Loader\r\n-------------------\r\n"
                                           "Windows Boot Loader\r\n-------------------\r\n"}};
        else if (!bcdedit.isEmpty())
            boot["loaderHeading"] = bcdedit.toStdString();
        TestMachine machine(machineWith({{"files", files}, {"boot", boot}, {"tools", tools}}));
        OptimizeCore core(machine.platform());
        QString message;
        QVERIFY(core.checkEnvironment(message));
        QTEST(core.isDualBoot, "dualBoot");
    }
};

QTEST_GUILESS_MAIN(TestEnvironmentCheck)
#include "TestEnvironmentCheck.moc"
