#include "platform/sim/DefaultMachine.h"
#include "startup/StartupManager.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"
#include "text/PlatformText.h"

#include <QtTest>

using namespace platform;
using platform::sim::mergeProfile;

namespace {

const char* const kApproved = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

nlohmann::json machineWith(const nlohmann::json& overlay, int major = 10, int minor = 0)
{
    nlohmann::json profile = TestMachine::windows10();
    profile["system"]["version"] = {{"major", major}, {"minor", minor}, {"build", major == 6 ? 7601 : 19045}};
    profile["environment"] = {{"APPDATA", "C:\\Users\\Ann\\AppData\\Roaming"}, {"PROGRAMDATA", "C:\\ProgramData"}};
    mergeProfile(profile, overlay);
    return profile;
}

// The approved value `name` under `hive`\StartupApproved\`subKey`, as hex; empty when there is none.
QString approved(TestMachine& machine, Hive hive, const QString& subKey, const QString& name)
{
    std::unique_ptr<RegistryKey> key;
    RegValue value;
    if (!succeeded(machine.platform().registry.openKey(hive, toWString(QLatin1String(kApproved) + subKey),
                                                       RegAccess::Read, RegView::Native64, key)) ||
        !succeeded(key->queryValue(toWString(name), value)))
        return {};
    return QByteArray(reinterpret_cast<const char*>(value.data.data()), int(value.data.size())).toHex();
}

RegValue runValue(TestMachine& machine, Hive hive, const char* key, const QString& name)
{
    std::unique_ptr<RegistryKey> open;
    RegValue value;
    if (succeeded(machine.platform().registry.openKey(hive, toWString(QLatin1String(key)), RegAccess::Read,
                                                      RegView::Native64, open)))
        open->queryValue(toWString(name), value);
    return value;
}

Hive hiveOf(const QString& text)
{
    return text == QLatin1String("HKLM") ? Hive::LocalMachine : Hive::CurrentUser;
}

} // namespace

// The start-up manager on the simulated PC: where each source lives, where its approval is written, the
// bytes of the approved values, the Windows 7 no-op and the migration of the older backups.
class TestStartupManager : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testEachSourceIsSwitchedOffWhereWindowsLooks_data()
    {
        QTest::addColumn<QString>("registryKey"); // "HIVE\\path" of a run value, or empty for a folder file
        QTest::addColumn<QString>("file");        // folder file, or empty
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("askedName");
        QTest::addColumn<QString>("approvedHive");
        QTest::addColumn<QString>("approvedKey");
        QTest::addColumn<QString>("valueName");
        QTest::addRow("HKCU Run") << "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
                                  << ""
                                  << "HKCU_Run"
                                  << "Tool"
                                  << "HKCU"
                                  << "Run"
                                  << "Tool";
        QTest::addRow("HKLM Run, 64-bit view") << "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"
                                               << ""
                                               << "HKLM_Run"
                                               << "Tool"
                                               << "HKLM"
                                               << "Run"
                                               << "Tool";
        QTest::addRow("HKLM Run32") << "HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run"
                                    << ""
                                    << "HKLM_Run32"
                                    << "Tool"
                                    << "HKLM"
                                    << "Run32"
                                    << "Tool";
        QTest::addRow("user folder, asked by base name")
            << ""
            << "C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\Tool.lnk"
            << "StartupFolder_User"
            << "Tool"
            << "HKCU"
            << "StartupFolder"
            << "Tool.lnk";
        QTest::addRow("common folder, asked by file name")
            << ""
            << "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Tool.bat"
            << "StartupFolder_Common"
            << "Tool.bat"
            << "HKLM"
            << "StartupFolder"
            << "Tool.bat";
        QTest::addRow("value name with a backslash") << "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
                                                     << ""
                                                     << "HKCU_Run"
                                                     << "a\\b"
                                                     << "HKCU"
                                                     << "Run"
                                                     << "a\\b";
        QTest::addRow("value named Default") << "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
                                             << ""
                                             << "HKCU_Run"
                                             << "Default"
                                             << "HKCU"
                                             << "Run"
                                             << "Default";
    }

    void testEachSourceIsSwitchedOffWhereWindowsLooks()
    {
        QFETCH(QString, registryKey);
        QFETCH(QString, file);
        QFETCH(QString, source);
        QFETCH(QString, askedName);
        QFETCH(QString, approvedHive);
        QFETCH(QString, approvedKey);
        QFETCH(QString, valueName);
        nlohmann::json overlay = nlohmann::json::object();
        if (!registryKey.isEmpty())
            overlay["registry"][registryKey.toStdString()][valueName.toStdString()] = "C:\\Tools\\tool.exe";
        else
            overlay["files"] = {{{"path", file.toStdString()}, {"size", 10}}};
        TestMachine machine(machineWith(overlay));
        StartupManager manager(machine.platform());
        manager.scan();
        QCOMPARE(manager.disable(source, askedName), StartupManager::Outcome::Changed);
        QCOMPARE(manager.entryName(source, askedName), valueName);
        QCOMPARE(approved(machine, hiveOf(approvedHive), approvedKey, valueName),
                 QStringLiteral("03").leftJustified(24, '0'));
        const Hive other = hiveOf(approvedHive) == Hive::LocalMachine ? Hive::CurrentUser : Hive::LocalMachine;
        QVERIFY(approved(machine, other, approvedKey, valueName).isEmpty());
        QCOMPARE(manager.disable(source, askedName), StartupManager::Outcome::AlreadySo);
    }

    void testApprovedStateBytes_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("enable");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("after");
        using O = StartupManager::Outcome;
        QTest::addRow("never seen, off") << "" << false << int(O::Changed) << "030000000000000000000000";
        QTest::addRow("2 becomes 3") << "020000000000000000000000" << false << int(O::Changed)
                                     << "030000000000000000000000";
        QTest::addRow("6 becomes 7, rest kept") << "0600000011223344" << false << int(O::Changed) << "0700000011223344";
        QTest::addRow("already off by Windows")
            << "030000000000000000000000" << false << int(O::AlreadySo) << "030000000000000000000000";
        QTest::addRow("3 restored to 2") << "030000000000000000000000" << true << int(O::Changed)
                                         << "020000000000000000000000";
        QTest::addRow("7 restored to 6") << "07000000" << true << int(O::Changed) << "06000000";
        QTest::addRow("too long is not touched")
            << "02000000000000000000000000000000" << false << int(O::Failed) << "02000000000000000000000000000000";
    }

    void testApprovedStateBytes()
    {
        QFETCH(QString, before);
        QFETCH(bool, enable);
        QFETCH(int, outcome);
        nlohmann::json overlay = {
            {"registry", {{"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", {{"Tool", "t.exe"}}}}}};
        if (!before.isEmpty())
            overlay["registry"][std::string("HKCU\\") + kApproved + "Run"]["Tool"] = {{"binary", before.toStdString()}};
        TestMachine machine(machineWith(overlay));
        StartupManager manager(machine.platform());
        manager.scan();
        const auto result = enable ? manager.restore(QStringLiteral("HKCU_Run"), QStringLiteral("Tool"))
                                   : manager.disable(QStringLiteral("HKCU_Run"), QStringLiteral("Tool"));
        QCOMPARE(int(result), outcome);
        QTEST(approved(machine, Hive::CurrentUser, QStringLiteral("Run"), QStringLiteral("Tool")), "after");
    }

    void testDisableMatchesNameAndSource()
    {
        TestMachine machine(
            machineWith({{"registry",
                          {{"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", {{"Tool", "a.exe"}}},
                           {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {{"Tool", "b.exe"}}}}}}));
        StartupManager manager(machine.platform());
        QCOMPARE(manager.scan().size(), 2);
        QCOMPARE(manager.disable(QStringLiteral("HKLM_Run"), QStringLiteral("Tool")), StartupManager::Outcome::Changed);
        QVERIFY(approved(machine, Hive::CurrentUser, QStringLiteral("Run"), QStringLiteral("Tool")).isEmpty());
        QCOMPARE(manager.disable(QStringLiteral("HKCU_Run"), QStringLiteral("Other")),
                 StartupManager::Outcome::NotFound);
    }

    void testExactNameWinsOverBaseName()
    {
        const std::string folder = "C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";
        nlohmann::json files = nlohmann::json::array();
        for (const char* name : {"Tool.lnk", "Tool", "Tool.bat"})
            files.push_back({{"path", folder + name}, {"size", 1}});
        files.push_back({{"path", folder + "Tool.exe"}, {"size", 1}, {"attributes", {"hidden"}}});
        TestMachine machine(machineWith({{"files", files}}));
        StartupManager manager(machine.platform());
        manager.scan();
        QCOMPARE(manager.disable(QStringLiteral("StartupFolder_User"), QStringLiteral("Tool")),
                 StartupManager::Outcome::Changed);
        QCOMPARE(approved(machine, Hive::CurrentUser, QStringLiteral("StartupFolder"), QStringLiteral("Tool")),
                 QStringLiteral("03").leftJustified(24, '0'));
        QVERIFY(approved(machine, Hive::CurrentUser, QStringLiteral("StartupFolder"), QStringLiteral("Tool.lnk")).isEmpty());
        QVERIFY(approved(machine, Hive::CurrentUser, QStringLiteral("StartupFolder"), QStringLiteral("Tool.bat")).isEmpty());
        QCOMPARE(manager.disable(QStringLiteral("StartupFolder_User"), QStringLiteral("Tool.exe")),
                 StartupManager::Outcome::Changed);
        QVERIFY(approved(machine, Hive::CurrentUser, QStringLiteral("StartupFolder"), QStringLiteral("Tool.lnk")).isEmpty());
    }

    void testMigrationNeverOverwritesANewerValue()
    {
        const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
        TestMachine machine(machineWith(
            {{"registry", {{std::string("HKCU\\") + run, {{"Tool", "new.exe"}, {"Tool.optimizer_bak", "old.exe"}}}}}}));
        StartupManager manager(machine.platform());
        manager.scan();
        QCOMPARE(runValue(machine, Hive::CurrentUser, run, QStringLiteral("Tool")).asString(), std::wstring(L"new.exe"));
        QCOMPARE(runValue(machine, Hive::CurrentUser, run, QStringLiteral("Tool.optimizer_bak")).asString(),
                 std::wstring(L"old.exe"));
        QVERIFY(approved(machine, Hive::CurrentUser, QStringLiteral("Run"), QStringLiteral("Tool")).isEmpty());
    }

    void testRunOnceIsLeftAlone()
    {
        TestMachine machine(machineWith(
            {{"registry", {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {{"Setup", "s.exe"}}}}}}));
        StartupManager manager(machine.platform());
        manager.scan();
        QCOMPARE(manager.disable(QStringLiteral("HKLM_RunOnce"), QStringLiteral("Setup")),
                 StartupManager::Outcome::RunsOnce);
        QVERIFY(approved(machine, Hive::LocalMachine, QStringLiteral("Run"), QStringLiteral("Setup")).isEmpty());
    }

    void testScanOpensKeysReadOnly()
    {
        TestMachine machine(machineWith({}));
        StartupManager manager(machine.platform());
        manager.scan();
        QVERIFY(machine.journal().filter(QStringLiteral("registry")).isEmpty());
    }

    void testWindows7ChangesAndMigratesNothing()
    {
        TestMachine machine(machineWith({{"registry",
                                          {{"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                            {{"Tool", "t.exe"}, {"Old.optimizer_bak", "o.exe"}}}}}},
                                        6, 1));
        StartupManager manager(machine.platform());
        QVERIFY(!manager.approvalsSupported());
        manager.scan();
        QCOMPARE(manager.disable(QStringLiteral("HKCU_Run"), QStringLiteral("Tool")),
                 StartupManager::Outcome::Unsupported);
        QVERIFY(machine.journal().filter(QStringLiteral("registry")).isEmpty());
        QCOMPARE(runValue(machine, Hive::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                          QStringLiteral("Old.optimizer_bak"))
                     .asString(),
                 std::wstring(L"o.exe"));
    }

    void testMigrationKeepsTheTypeAndSwitchesOff()
    {
        const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
        TestMachine machine(machineWith(
            {{"registry", {{std::string("HKCU\\") + run, {{"Old.optimizer_bak", {{"expand", "%APPDATA%\\o.exe"}}}}}}},
             {"files",
              {{{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\"
                         "Pad.lnk.optimizer_bak"},
                {"size", 10}}}}}));
        StartupManager manager(machine.platform());
        const auto entries = manager.scan();
        const RegValue restored = runValue(machine, Hive::CurrentUser, run, QStringLiteral("Old"));
        QCOMPARE(restored.type, RegType::ExpandSz);
        QCOMPARE(restored.asString(), std::wstring(L"%APPDATA%\\o.exe"));
        QCOMPARE(runValue(machine, Hive::CurrentUser, run, QStringLiteral("Old.optimizer_bak")).type, RegType::None);
        QCOMPARE(approved(machine, Hive::CurrentUser, QStringLiteral("Run"), QStringLiteral("Old")),
                 QStringLiteral("030000000000000000000000"));
        QCOMPARE(approved(machine, Hive::CurrentUser, QStringLiteral("StartupFolder"), QStringLiteral("Pad.lnk")),
                 QStringLiteral("030000000000000000000000"));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().name, QStringLiteral("Pad.lnk"));
        QVERIFY(entries.first().disabled);
    }
};

QTEST_GUILESS_MAIN(TestStartupManager)
#include "TestStartupManager.moc"
