#include "analysis/FileTrust.h"
#include "analysis/MachineQuery.h"
#include "engine/NativeSystemFolder.h"
#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QFileInfo>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

nlohmann::json machine(bool wow64)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, {{"system", {{"wow64", wow64}}},
                           {"security", {{"signedFiles", {"C:\\Windows\\System32\\svchost.exe"}}}},
                           {"boot", {{"entries", {{"{current}", {{"quietboot", false}}}}}}},
                           {"files",
                            {{{"path", "C:\\Windows\\System32\\FNTCACHE.DAT"}, {"size", 1048576}},
                             {{"path", "C:\\Windows\\System32\\svchost.exe"}, {"size", 100}}}}});
    return profile;
}

} // namespace

// The shipped program is a 32-bit process: on 64-bit Windows it must reach the native System32 through
// Sysnative for its console tools, the Windows 7 font cache and the analysis's file checks.
class TestNativeSystemFolder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine pc;
        RunLogLines::start(pc.platform());
    }

    void testPaths_data()
    {
        QTest::addColumn<bool>("wow64");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("mapped");
        QTest::addRow("WOW64 System32 file") << true << "C:\\WINDOWS\\system32\\FNTCACHE.DAT"
                                             << "C:\\Windows\\Sysnative\\FNTCACHE.DAT";
        QTest::addRow("WOW64 System32 itself") << true << "c:\\windows\\System32"
                                               << "C:\\Windows\\Sysnative";
        QTest::addRow("WOW64 look-alike folder") << true << "C:\\Windows\\System32Old\\a.exe"
                                                 << "C:\\Windows\\System32Old\\a.exe";
        QTest::addRow("WOW64 other folder") << true << "C:\\Program Files\\a.exe"
                                            << "C:\\Program Files\\a.exe";
        QTest::addRow("native System32 file") << false << "C:\\Windows\\System32\\FNTCACHE.DAT"
                                              << "C:\\Windows\\System32\\FNTCACHE.DAT";
        QTest::addRow("WOW64 tool") << true << "bcdedit"
                                    << "C:\\Windows\\Sysnative\\bcdedit.exe";
        QTest::addRow("WOW64 wmic") << true << "wmic"
                                    << "C:\\Windows\\Sysnative\\wbem\\wmic.exe";
        QTest::addRow("native tool") << false << "cleanmgr.exe"
                                     << "C:\\Windows\\system32\\cleanmgr.exe";
    }

    void testPaths()
    {
        QFETCH(bool, wow64);
        QFETCH(QString, given);
        QFETCH(QString, mapped);
        TestMachine pc(machine(wow64));
        const NativeSystemFolder native(pc.platform());
        QCOMPARE(given.contains(QLatin1Char('\\')) ? native.map(given) : native.tool(given), mapped);
    }

    void testBootConfigurationUnderWow64()
    {
        TestMachine pc(machine(true));
        OptimizeCore core(pc.platform());
        core.osMajor = 10;
        core.systemDrive = QStringLiteral("C:");
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList lines = RunLogLines::engineSince(mark);
        QVERIFY(lines.filter(QStringLiteral("    D2/D3 启动配置备份: C:\\Windows\\bcd_backup_")).size() == 1);
        QVERIFY(lines.contains(QStringLiteral("    D2 已执行: bcdedit /set {current} quietboot on")));
        QVERIFY(pc.journal()
                    .filter(QStringLiteral("command C:\\Windows\\Sysnative\\bcdedit.exe /timeout 0 -> exit 0"))
                    .size() == 1);
    }

    void testWindows7FontCacheUnderWow64()
    {
        TestMachine pc(machine(true));
        OptimizeCore core(pc.platform());
        core.osMajor = 6;
        core.osMinor = 1;
        QCOMPARE(core.cleanJunkFiles(QStringLiteral("C:")), 1);
        QCOMPARE(core.junkFilesCount, 1);
        QVERIFY(!QFileInfo::exists(pc.hostPath(QStringLiteral("C:\\Windows\\System32\\FNTCACHE.DAT"))));
    }

    void testAnalysisSeesNativeFiles()
    {
        TestMachine pc(machine(true));
        const MachineQuery query(pc.platform());
        QVERIFY(query.exists(QStringLiteral("C:\\Windows\\System32\\svchost.exe")));
        QCOMPARE(FileTrust(query).verdict(QStringLiteral("C:\\Windows\\System32\\svchost.exe")),
                 FileTrust::Verdict::Signed);
    }
};

QTEST_GUILESS_MAIN(TestNativeSystemFolder)
#include "TestNativeSystemFolder.moc"
