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
    "C:\\ProgramData\\Stick\\Tidewell\\app\\tidewell.exe",
    "C:\\ProgramData\\Stick\\Tidewell\\config\\device.id",
    "C:\\Users\\Ann\\OneDrive\\doc.txt",
    "C:\\Users\\Ann\\Saved Games\\save.dat",
    "C:\\Users\\Ann\\Contacts\\ann.contact",
    "C:\\Users\\Ann\\Links\\Desktop.lnk",
    "C:\\System Volume Information\\tracking.log",
    "C:\\Boot\\BCD",
    "C:\\bootmgr",
    "C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Protect\\key",
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tool.lnk",
    "C:\\Program Files\\Common Files\\Junk\\c.dll",
    "C:\\Users\\Ann\\AppData\\Local\\Packages\\Junk\\s.dat",
    "C:\\Program Files (x86)\\Padded\\p.exe",
    "C:\\Program Files (x86)\\ViaUninst\\unins000.exe",
    "C:\\Program Files (x86)\\Bare Uninst\\data\\d.dat",
    "C:\\Program Files (x86)\\ViaIcon\\sub\\s.dat",
    "C:\\Program Files (x86)\\Wow User\\w.exe",
};

const std::string kUninstall = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

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
            {{"InstallLocation", "C:\\Program Files (x86)\\Inst\\"}}},
           {kUninstall + "Padded", {{"InstallLocation", " C:\\Program Files (x86)\\Padded \r\n"}}},
           {kUninstall + "Quoted", {{"InstallLocation", "\"C:\\Program Files (x86)\\Padded\\\""}}},
           {kUninstall + "ViaUninst", {{"UninstallString", "\"C:\\Program Files (x86)\\ViaUninst\\unins000.exe\" /SILENT"}}},
           {kUninstall + "Bare", {{"UninstallString", "C:\\Program Files (x86)\\Bare Uninst\\remove.exe /S"}}},
           {kUninstall + "Msi", {{"UninstallString", "MsiExec.exe /X{5A1B2C3D}"}, {"InstallLocation", "C:\\"}}},
           {kUninstall + "ViaIcon", {{"DisplayIcon", "C:\\Program Files (x86)\\ViaIcon\\app.exe,-101"}}},
           {"HKCU\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\W",
            {{"InstallLocation", "C:\\Program Files (x86)\\Wow User"}}}}},
         {"files",
          {{{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\\a.txt"}, {"size", 10}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\\sub\\b.txt"}, {"size", 10}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\\pics"}, {"linkTo", "C:\\Users\\Ann\\Pictures"}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\LinkStart"}, {"linkTo", "C:\\Data\\real"}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Via"}, {"linkTo", "C:\\Data"}},
           {{"path", "C:\\Users\\Ann\\AppData\\Roaming\\Stubborn\\ro.txt"}, {"size", 10}, {"attributes", {"readonly"}}},
           {{"path", "C:\\ProgramData\\Junk\\j.txt"}, {"size", 10}},
           {{"path", "C:\\Users\\Ann\\AppData\\Local\\Temp\\Junk\\t.txt"}, {"size", 10}},
           {{"path", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Junk\\j.lnk"}, {"size", 10}},
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
        QTest::addRow("trailing blank") << "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder " << none;
        QTest::addRow("leading blank") << " C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder" << none;
        QTest::addRow("line break") << "C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\r\n" << none;
        QTest::addRow("quoted") << "\"C:\\Users\\Ann\\AppData\\Roaming\\Junk Folder\"" << none;
        QTest::addRow("trailing dot") << "C:\\Users\\Ann\\AppData.\\Roaming\\Junk Folder" << none;
        QTest::addRow("read-only file inside") << "%APPDATA%\\Stubborn" << removed;
        QTest::addRow("one level inside ProgramData") << "C:\\ProgramData\\Junk" << removed;
        QTest::addRow("one level inside the temporary folder") << "%TEMP%\\Junk" << removed;
        QTest::addRow("one level inside Start Menu Programs")
            << "%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs\\Junk" << removed;
        QTest::addRow("temporary folder itself") << "%TEMP%" << refused;
        QTest::addRow("Start Menu Programs itself")
            << "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs" << refused;
        QTest::addRow("Microsoft below AppData Roaming") << "%APPDATA%\\Microsoft" << refused;
        QTest::addRow("inside Microsoft below AppData Roaming") << "%APPDATA%\\Microsoft\\Protect" << refused;
        QTest::addRow("ProgramData Microsoft Windows") << "%ProgramData%\\Microsoft\\Windows" << refused;
        QTest::addRow("inside Common Files") << "C:\\Program Files\\Common Files\\Junk" << refused;
        QTest::addRow("inside Packages") << "C:\\Users\\Ann\\AppData\\Local\\Packages\\Junk" << refused;
        QTest::addRow("OneDrive") << "C:\\Users\\Ann\\OneDrive" << refused;
        QTest::addRow("Saved Games") << "%USERPROFILE%\\Saved Games" << refused;
        QTest::addRow("Contacts") << "C:\\Users\\Ann\\Contacts" << refused;
        QTest::addRow("Links") << "C:\\Users\\Ann\\Links" << refused;
        QTest::addRow("System Volume Information") << "C:\\System Volume Information" << refused;
        QTest::addRow("Boot") << "C:\\Boot" << refused;
        QTest::addRow("bootmgr") << "C:\\bootmgr" << refused;
        QTest::addRow("the stick's config") << "C:\\ProgramData\\Stick\\Tidewell\\config" << refused;
        QTest::addRow("holds the stick's program folder") << "C:\\ProgramData\\Stick" << refused;
        QTest::addRow("padded and line-broken install location") << "C:\\Program Files (x86)\\Padded" << inUse;
        QTest::addRow("only an UninstallString, quoted") << "C:\\Program Files (x86)\\ViaUninst" << inUse;
        QTest::addRow("only an UninstallString, unquoted")
            << "C:\\Program Files (x86)\\Bare Uninst\\data" << inUse;
        QTest::addRow("only a DisplayIcon") << "C:\\Program Files (x86)\\ViaIcon\\sub" << inUse;
        QTest::addRow("user entry in the 32-bit view") << "C:\\Program Files (x86)\\Wow User" << inUse;
    }

    void testGuard()
    {
        QFETCH(QString, path);
        QFETCH(QString, outcome);
        TestMachine machine(residueMachine());
        ScanReportBundle report;
        report.junkSoftware.append(
            {QStringLiteral("pup-1"), QStringLiteral("Junk"), QStringLiteral("垃圾"), {}, {}, {}, {}, {path}});
        const QString line = ResidueCleanup(machine.platform(), QStringLiteral("C:\\ProgramData\\Stick\\Tidewell\\app"))
                                 .run(QStringLiteral("pup-1"), report).line;
        QCOMPARE(line, QStringLiteral("垃圾 残留清理：") + outcome);
        for (const char* sentinel : kSentinels)
            QVERIFY2(QFileInfo::exists(machine.hostPath(QLatin1String(sentinel))), sentinel);
    }

    void testNameIsQuotedUnchanged()
    {
        TestMachine machine(residueMachine());
        ScanReportBundle report;
        report.junkSoftware.append({QStringLiteral("pup-1"), QStringLiteral("Junk"), QStringLiteral("垃圾%1%2"), {}, {}, {},
                                    {}, {QStringLiteral("%APPDATA%\\Junk Folder")}});
        QCOMPARE(ResidueCleanup(machine.platform(), QString()).run(QStringLiteral("pup-1"), report).line,
                 QStringLiteral("垃圾%1%2 残留清理：删除 1 个残留项"));
    }

    void testMissingRecord()
    {
        TestMachine machine(residueMachine());
        QCOMPARE(ResidueCleanup(machine.platform(), QString()).run(QStringLiteral("nope"), ScanReportBundle()).line,
                 QStringLiteral("残留清理：未找到对应记录"));
    }
};

QTEST_GUILESS_MAIN(TestResidueCleanup)
#include "TestResidueCleanup.moc"
