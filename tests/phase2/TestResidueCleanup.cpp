#include "phase2/ResidueCleanup.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QFileInfo>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

const char* const kSentinels[] = {
    "C:\\Data\\real\\keep.txt",
    "C:\\Users\\Ann\\Pictures\\photo.jpg",
    "C:\\Program Files (x86)\\Live\\live.exe",
    "C:\\Program Files (x86)\\Inst\\x.dll",
    "C:\\Program Files (x86)\\Inst\\cache\\c.dat",
    "C:\\Windows\\Temp\\junk\\t.txt",
    "C:\\Stick\\Tidewell\\app\\tidewell.exe",
};

nlohmann::json residueMachine()
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(
        profile,
        {{"environment", {{"APPDATA", "C:\\Users\\Ann\\AppData\\Roaming"}, {"USERPROFILE", "C:\\Users\\Ann"}}},
         {"disks", {{"E:", {{"type", "removable"}}}}},
         {"processes",
          {{{"pid", 700}, {"name", "live.exe"}, {"imagePath", "C:\\Program Files (x86)\\Live\\live.exe"}}}},
         {"registry",
          {{"HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Inst",
            {{"InstallLocation", "C:\\Program Files (x86)\\Inst\\"}}}}},
         {"files",
          {{{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\\a.txt"}, {"size", 10}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\\sub\\b.txt"}, {"size", 10}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\\pics"}, {"linkTo", "C:\\Users\\Ann\\Pictures"}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\LinkStart"}, {"linkTo", "C:\\Data\\real"}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Via"}, {"linkTo", "C:\\Data"}},
           {{"path", "E:\\Junk\\x.txt"}, {"size", 10}}}}});
    for (const char* sentinel : kSentinels)
        profile["files"].push_back({{"path", sentinel}, {"size", 10}});
    return profile;
}

} // namespace

// Residue clean-up removes only what the guard allows, through the guarded deletion, and says so.
class TestResidueCleanup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testGuard_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("outcome");
        const QString removed = QStringLiteral("删除 1 个残留项");
        const QString refused = QStringLiteral("删除 0 个残留项；1 项不在可清理范围，已跳过");
        const QString inUse = QStringLiteral("删除 0 个残留项；1 项跳过：软件仍在安装，请先卸载");
        const QString none = QStringLiteral("删除 0 个残留项");
        QTest::addRow("residue folder") << "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder" << removed;
        QTest::addRow("residue folder as 8.3 name") << "c:\\users\\ann\\appdata\\roaming\\JUNKFO~1" << removed;
        QTest::addRow("residue file through a variable") << "%APPDATA%\\Junk Folder\\a.txt" << removed;
        QTest::addRow("drive root") << "C:\\" << refused;
        QTest::addRow("drive-relative") << "C:Junk Folder" << refused;
        QTest::addRow("UNC") << "\\\\server\\share\\Junk" << refused;
        QTest::addRow("device path") << "\\\\?\\C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder" << refused;
        QTest::addRow("dots") << "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\\..\\.." << refused;
        QTest::addRow("8.3 name of a container") << "C:\\PROGRA~1" << refused;
        QTest::addRow("link as start") << "C:\\Users\\Ann\\AppData\\Roaming\\LinkStart" << refused;
        QTest::addRow("link inside the path") << "C:\\Users\\Ann\\AppData\\Roaming\\Via\\real" << refused;
        QTest::addRow("AppData Roaming") << "%APPDATA%" << refused;
        QTest::addRow("AppData") << "C:\\Users\\Ann\\AppData\\" << refused;
        QTest::addRow("Pictures") << "C:\\Users\\Ann\\Pictures" << refused;
        QTest::addRow("in the Windows folder") << "C:\\Windows\\Temp\\junk" << refused;
        QTest::addRow("removable drive") << "E:\\Junk" << refused;
        QTest::addRow("holds the program") << "C:\\Stick\\Tidewell" << refused;
        QTest::addRow("overflowing expansion") << QStringLiteral("C:\\") + QString(600, QLatin1Char('a')) << refused;
        QTest::addRow("variable that does not expand") << "%NO_SUCH_VARIABLE%\\Junk" << refused;
        QTest::addRow("running program's folder") << "C:\\Program Files (x86)\\Live" << inUse;
        QTest::addRow("install location") << "C:\\Program Files (x86)\\Inst" << inUse;
        QTest::addRow("inside an install location") << "C:\\Program Files (x86)\\Inst\\cache" << inUse;
        QTest::addRow("gone already") << "C:\\Users\\Ann\\AppData\\Roaming\\Gone" << none;
        QTest::addRow("empty") << "" << refused;
    }

    void testGuard()
    {
        QFETCH(QString, path);
        QFETCH(QString, outcome);
        TestMachine machine(residueMachine());
        ScanReportBundle report;
        report.junkSoftware.append(
            {QStringLiteral("pup-1"), QStringLiteral("Junk"), QStringLiteral("垃圾"), {}, {}, {}, {}, {path}});
        const QString line = ResidueCleanup(machine.platform(), QStringLiteral("C:\\Stick\\Tidewell\\app"))
                                 .run(QStringLiteral("pup-1"), report);
        QCOMPARE(line, QStringLiteral("垃圾 残留清理：") + outcome);
        for (const char* sentinel : kSentinels)
            QVERIFY2(QFileInfo::exists(machine.hostPath(QLatin1String(sentinel))), sentinel);
    }

    void testMissingRecord()
    {
        TestMachine machine(residueMachine());
        QCOMPARE(ResidueCleanup(machine.platform(), QString()).run(QStringLiteral("nope"), ScanReportBundle()),
                 QStringLiteral("残留清理：未找到对应记录"));
    }
};

QTEST_GUILESS_MAIN(TestResidueCleanup)
#include "TestResidueCleanup.moc"
