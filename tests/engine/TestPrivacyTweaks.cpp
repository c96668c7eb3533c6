#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QSignalSpy>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

const char* const kTelemetryTasks[] = {
    "\\Microsoft\\Windows\\Application Experience\\Microsoft Compatibility Appraiser",
    "\\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater",
    "\\Microsoft\\Windows\\Customer Experience Improvement Program\\Consolidator",
    "\\Microsoft\\Windows\\Customer Experience Improvement Program\\UsbCeip",
    "\\Microsoft\\Windows\\DiskDiagnostic\\Microsoft-Windows-DiskDiagnosticDataCollector",
};
const char* const kNeighbour = "\\Microsoft\\Windows\\Application Experience\\StartupAppTask";

const QString kCeip = QStringLiteral("    注册表(DWORD): SOFTWARE\\Microsoft\\SQMClient\\Windows\\CEIPEnable = 0");
const QString kTelemetry =
    QStringLiteral("    注册表(DWORD): SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection\\AllowTelemetry = 0");
const QString kAdvertising =
    QStringLiteral("    注册表(DWORD): Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo\\Enabled = 0");
const QString kCortana =
    QStringLiteral("    注册表(DWORD): SOFTWARE\\Policies\\Microsoft\\Windows\\Windows Search\\AllowCortana = 0");
const QString kActivityFeed =
    QStringLiteral("    注册表(DWORD): SOFTWARE\\Policies\\Microsoft\\Windows\\System\\EnableActivityFeed = 0");
// The consent store reads "Value" as a string: "Deny" switches account information off.
const QString kAccountInfo = QStringLiteral(
    "    注册表(SZ): SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\"
    "userAccountInformation\\Value = \"Deny\"");

nlohmann::json privacyProfile(int major, int minor, bool allTasks = true)
{
    nlohmann::json profile = TestMachine::windows10();
    profile["system"]["version"] = {{"major", major}, {"minor", minor}, {"build", 9600}};
    nlohmann::json tasks = nlohmann::json::array();
    for (const char* path : kTelemetryTasks) {
        if (allTasks || QByteArray(path).contains("Application Experience"))
            tasks.push_back({{"path", path}, {"enabled", true}, {"hidden", QByteArray(path).contains("Disk")}});
    }
    tasks.push_back({{"path", kNeighbour}, {"enabled", true}});
    mergeProfile(profile, {{"tasks", tasks}});
    return profile;
}

bool taskEnabled(TestMachine& machine, const char* path)
{
    for (const auto& task : machine.machine().document()["tasks"]) {
        if (task["path"] == path)
            return task.value("enabled", true);
    }
    return true;
}

} // namespace

// The privacy stage: the five telemetry tasks and the six values with their version conditions.
class TestPrivacyTweaks : public QObject {
    Q_OBJECT

private:
    static void prepare(OptimizeCore& core, int major, int minor)
    {
        core.osMajor = major;
        core.osMinor = minor;
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testProgress()
    {
        TestMachine machine(privacyProfile(10, 0));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        QSignalSpy spy(&core, &OptimizeCore::progressUpdated);
        core.applyPrivacyTweaks();
        QList<QVariantList> expected = {
            {4, 66, QStringLiteral("正在检查隐私相关计划任务...")},
            {4, 68, QStringLiteral("正在关闭客户体验改善计划...")},
            {4, 70, QStringLiteral("正在应用隐私保护设置...")},
            {4, 74, QStringLiteral("隐私优化完成")},
        };
        QCOMPARE(spy.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(spy[i], expected[i]);
    }

    void testValuesByVersion_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("Windows 10") << 10 << 0 << QStringList{kCeip,    kTelemetry,    kAdvertising,
                                                              kCortana, kActivityFeed, kAccountInfo};
        QTest::addRow("Windows 8.1") << 6 << 3
                                     << QStringList{kCeip, kTelemetry, kAdvertising, kActivityFeed, kAccountInfo};
        QTest::addRow("Windows 7") << 6 << 1 << QStringList{kCeip, kAdvertising, kActivityFeed, kAccountInfo};
    }

    void testValuesByVersion()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QStringList, lines);
        TestMachine machine(privacyProfile(major, minor));
        OptimizeCore core(machine.platform());
        prepare(core, major, minor);
        const int mark = RunLogLines::mark();
        core.applyPrivacyTweaks();
        QCOMPARE(RunLogLines::engineSince(mark), lines);
        machine.reopen();
        auto& registry = machine.machine().document()["registry"];
        QCOMPARE(registry["HKLM\\SOFTWARE\\Microsoft\\SQMClient\\Windows"]["CEIPEnable"], 0);
        QCOMPARE(registry["HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo"]["Enabled"], 0);
        QCOMPARE(registry["HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\"
                          "userAccountInformation"]["Value"],
                 "Deny");
        QCOMPARE(registry.contains("HKLM\\SOFTWARE\\Policies\\Microsoft\\Windows\\Windows Search"), major >= 10);
    }

    void testTasksByVersion_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<bool>("disabled");
        QTest::addRow("Windows 10") << 10 << 0 << true;
        QTest::addRow("Windows 8.1") << 6 << 3 << true;
        QTest::addRow("Windows 8") << 6 << 2 << true;
        QTest::addRow("Windows 7") << 6 << 1 << false;
    }

    void testTasksByVersion()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(bool, disabled);
        TestMachine machine(privacyProfile(major, minor));
        OptimizeCore core(machine.platform());
        prepare(core, major, minor);
        core.applyPrivacyTweaks();
        int switched = 0;
        for (const QString& line : machine.journal())
            switched += line.startsWith(QStringLiteral("task ")) ? 1 : 0;
        QCOMPARE(switched, disabled ? 5 : 0);
        machine.reopen();
        for (const char* path : kTelemetryTasks)
            QCOMPARE(taskEnabled(machine, path), !disabled);
        QVERIFY(taskEnabled(machine, kNeighbour));
    }

    void testMissingTasksArePassedOverSilently()
    {
        TestMachine machine(privacyProfile(10, 0, false));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applyPrivacyTweaks();
        QCOMPARE(RunLogLines::engineSince(mark),
                 (QStringList{kCeip, kTelemetry, kAdvertising, kCortana, kActivityFeed, kAccountInfo}));
        QVERIFY(machine.journal().contains(QString::fromLatin1("task disable ") + QLatin1String(kTelemetryTasks[1])));
    }

    void testDisabledTaskIsDisabledAgain()
    {
        nlohmann::json profile = privacyProfile(10, 0);
        profile["tasks"][0]["enabled"] = false;
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        core.applyPrivacyTweaks();
        QVERIFY(machine.journal().contains(QString::fromLatin1("task disable ") + QLatin1String(kTelemetryTasks[0])));
        machine.reopen();
        QVERIFY(!taskEnabled(machine, kTelemetryTasks[0]));
    }

    void testMachineWithoutTasksStillGetsTheValues()
    {
        TestMachine machine;
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applyPrivacyTweaks();
        QCOMPARE(RunLogLines::engineSince(mark).size(), 6);
    }

    void testUnwritableKeyIsSkippedSilently()
    {
        nlohmann::json profile = privacyProfile(10, 0);
        mergeProfile(profile, {{"registry", {{"HKLM\\SOFTWARE\\Policies", {{"@readOnly", true}}}}}});
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applyPrivacyTweaks();
        QCOMPARE(RunLogLines::engineSince(mark), (QStringList{kCeip, kAdvertising, kAccountInfo}));
    }
};

QTEST_GUILESS_MAIN(TestPrivacyTweaks)
#include "TestPrivacyTweaks.moc"
