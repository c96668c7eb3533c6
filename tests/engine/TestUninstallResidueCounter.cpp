#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QSignalSpy>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

const std::string kMachineRoot = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kWowRoot = "HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kUserRoot = "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

nlohmann::json residueProfile(const nlohmann::json& entries)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, {{"environment", {{"USERPROFILE", "C:\\Users\\Ann"}}},
                           {"registry", entries},
                           {"files",
                            {{{"path", "C:\\Program Files\\Present"}, {"folder", true}},
                             {{"path", "C:\\Users\\Ann\\AppData\\Local\\Present"}, {"folder", true}}}}});
    return profile;
}

} // namespace

// The uninstall-leftover count: which install paths count, in which roots, and that it says nothing.
class TestUninstallResidueCounter : public QObject {
    Q_OBJECT

private:
    static int count(const nlohmann::json& entries)
    {
        TestMachine machine(residueProfile(entries));
        OptimizeCore core(machine.platform());
        return core.countUninstallResidue();
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("leftovers");
        auto json = [](const nlohmann::json& entries) { return QString::fromStdString(entries.dump()); };
        QTest::addRow("missing folder") << json({{kMachineRoot + "Gone",
                                                  {{"InstallLocation", "C:\\Program Files\\Gone"}}}})
                                        << 1;
        QTest::addRow("present folder") << json({{kMachineRoot + "Here",
                                                  {{"InstallLocation", "C:\\Program Files\\Present"}}}})
                                        << 0;
        QTest::addRow("present folder with trailing backslash")
            << json({{kMachineRoot + "Here", {{"InstallLocation", "C:\\Program Files\\Present\\"}}}}) << 0;
        QTest::addRow("present folder, padded and line-broken")
            << json({{kMachineRoot + "Here", {{"InstallLocation", " C:\\Program Files\\Present \r\n"}}}}) << 0;
        QTest::addRow("present folder, quoted")
            << json({{kMachineRoot + "Here", {{"InstallLocation", "\"C:\\Program Files\\Present\""}}}}) << 0;
        QTest::addRow("expanded variable, folder missing")
            << json({{kUserRoot + "Gone", {{"InstallLocation", {{"expand", "%LOCALAPPDATA%\\Gone"}}}}}}) << 1;
        QTest::addRow("expanded variable, folder present")
            << json({{kUserRoot + "Here", {{"InstallLocation", {{"expand", "%LOCALAPPDATA%\\Present"}}}}}}) << 0;
        QTest::addRow("variable that stays unexpanded")
            << json({{kUserRoot + "Odd", {{"InstallLocation", "%NO_SUCH_VARIABLE%\\Tool"}}}}) << 0;
        QTest::addRow("below C:\\Windows")
            << json({{kMachineRoot + "Runtime", {{"InstallLocation", "C:\\WINDOWS\\System32\\Gone"}}}}) << 0;
        QTest::addRow("below the Windows folder as a variable")
            << json({{kMachineRoot + "Runtime", {{"InstallLocation", {{"expand", "%windir%\\Gone"}}}}}}) << 0;
        QTest::addRow("below C:\\ProgramData")
            << json({{kMachineRoot + "Cache", {{"InstallLocation", "c:\\programdata\\Gone"}}}}) << 0;
        QTest::addRow("InstallDir when InstallLocation is missing")
            << json({{kWowRoot + "Old", {{"InstallDir", "C:\\Program Files (x86)\\Old"}}}}) << 1;
        QTest::addRow("InstallDir when InstallLocation is no string")
            << json({{kWowRoot + "Old", {{"InstallLocation", 7}, {"InstallDir", "C:\\Program Files (x86)\\Old"}}}})
            << 1;
        QTest::addRow("empty InstallLocation")
            << json({{kWowRoot + "Old", {{"InstallLocation", ""}, {"InstallDir", "C:\\Old"}}}}) << 0;
        QTest::addRow("no path at all") << json({{kMachineRoot + "Bare", {{"DisplayName", "Bare"}}}}) << 0;
        QTest::addRow("present in two roots")
            << json({{kWowRoot + "Twice", {{"InstallLocation", "C:\\Program Files (x86)\\Twice"}}},
                     {kUserRoot + "Twice", {{"InstallLocation", "C:\\Program Files (x86)\\Twice"}}}})
            << 2;
        QTest::addRow("all three roots")
            << json({{kMachineRoot + "A", {{"InstallLocation", "C:\\A"}}},
                     {kWowRoot + "B", {{"InstallLocation", "C:\\B"}}},
                     {kUserRoot + "C", {{"InstallLocation", "C:\\C"}}}})
            << 3;
    }

    void testEntry()
    {
        QFETCH(QString, entry);
        QFETCH(int, leftovers);
        QCOMPARE(count(nlohmann::json::parse(entry.toStdString())), leftovers);
    }

    void testPathLongerThanTheValueLimitIsNotRead()
    {
        const std::string longPath = "C:\\" + std::string(4200, 'x');
        QCOMPARE(count({{kMachineRoot + "Long", {{"InstallLocation", longPath}}}}), 0);
        QCOMPARE(count({{kMachineRoot + "Long", {{"InstallLocation", longPath}, {"InstallDir", "C:\\Gone"}}}}), 1);
    }

    void testUnreadableRootIsSkipped()
    {
        QCOMPARE(count({{kMachineRoot.substr(0, kMachineRoot.size() - 1), {{"@denied", true}}},
                        {kUserRoot + "Gone", {{"InstallLocation", "C:\\Gone"}}}}),
                 1);
    }

    void testMachineWithoutUninstallKeysCountsNothing()
    {
        QCOMPARE(count(nlohmann::json::object()), 0);
    }

    void testCountsSilently()
    {
        TestMachine machine(residueProfile({{kMachineRoot + "Gone", {{"InstallLocation", "C:\\Gone"}}}}));
        OptimizeCore core(machine.platform());
        QSignalSpy spy(&core, &OptimizeCore::progressUpdated);
        const int mark = RunLogLines::mark();
        QCOMPARE(core.countUninstallResidue(), 1);
        QCOMPARE(spy.size(), 0);
        QVERIFY(RunLogLines::since(mark).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUninstallResidueCounter)
#include "TestUninstallResidueCounter.moc"
