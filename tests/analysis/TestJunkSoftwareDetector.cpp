#include "AnalysisMachine.h"

#include "analysis/JunkSoftwareDetector.h"

#include <QtTest>

using AnalysisMachine::file;
using AnalysisMachine::folder;
using AnalysisMachine::pattern;
using AnalysisMachine::profile;

// Junk-software detection in its five places, the match recording and the whitelists.
class TestJunkSoftwareDetector : public QObject {
    Q_OBJECT

private:
    static ScanReportBundle detect(TestMachine& machine, const SignatureDatabase& db)
    {
        ScanReportBundle report;
        JunkSoftwareDetector(machine.platform(), db).detect(report);
        return report;
    }

    static AdwarePattern adSoft()
    {
        AdwarePattern p = pattern(QStringLiteral("adw-001"), QStringLiteral("AdSoft"));
        p.uninstallKeys = QStringList{QStringLiteral("adsoft")};
        p.processNames = QStringList{QStringLiteral("adsoft.exe")};
        p.startupNames = QStringList{QStringLiteral("AdSoftRun")};
        p.serviceNames = QStringList{QStringLiteral("AdSoftSvc")};
        p.filePaths = QStringList{QStringLiteral("%APPDATA%\\AdSoft"), QStringLiteral("C:\\Shared\\adcommon.dll")};
        return p;
    }

    static nlohmann::json installed(const std::string& key, const std::string& name, const std::string& location)
    {
        return {{"registry", {{key, {{"DisplayName", name}, {"InstallLocation", location}}}}}};
    }

    static const char* uninstallKey() { return "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AdSoft"; }

private slots:
    void testUnloadedDatabaseFindsNothing()
    {
        TestMachine machine(profile({{"processes", {{{"pid", 10}, {"name", "adsoft.exe"}}}}}));
        SignatureDatabase db = AnalysisMachine::database({adSoft()});
        db.loaded = false;
        QVERIFY(detect(machine, db).junkSoftware.isEmpty());
    }

    void testRecordCarriesThePatternAndTheFirstPlace()
    {
        TestMachine machine(profile({{"processes", {{{"pid", 10}, {"name", "AdSoft.EXE"}}}}}));
        const auto report = detect(machine, AnalysisMachine::database({adSoft()}));
        QCOMPARE(report.junkSoftware.size(), 1);
        const JunkSoftwareHit& hit = report.junkSoftware.first();
        QCOMPARE(hit.id, QStringLiteral("adw-001"));
        QCOMPARE(hit.name, QStringLiteral("AdSoft"));
        QCOMPARE(hit.nameCn, QStringLiteral("AdSoft中文"));
        QCOMPARE(hit.category, QStringLiteral("adware"));
        QCOMPARE(hit.riskLevel, QStringLiteral("high"));
        QCOMPARE(hit.description, QStringLiteral("desc adw-001"));
        QCOMPARE(hit.dimension, QStringLiteral("运行中进程"));
        QVERIFY(hit.evidencePaths.isEmpty());
    }

    void testInstalledAndRunningGivesOneRecordLabelledInstalled()
    {
        nlohmann::json extra = installed(uninstallKey(), "AdSoft 3.0", "C:\\Program Files\\AdSoft");
        extra["processes"] = {{{"pid", 10}, {"name", "adsoft.exe"}}};
        TestMachine machine(profile(extra));
        const auto report = detect(machine, AnalysisMachine::database({adSoft()}));
        QCOMPARE(report.junkSoftware.size(), 1);
        QCOMPARE(report.junkSoftware[0].dimension, QStringLiteral("已安装程序"));
    }

    void testInstallLocationIsEvidenceOnlyWhenItIsGone_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QStringList>("evidence");
        QTest::addRow("existing program folder") << QStringLiteral("C:\\Program Files\\AdSoft") << true << QStringList();
        QTest::addRow("leftover location")
            << QStringLiteral("C:\\Program Files\\AdSoft") << false << QStringList{QStringLiteral("C:\\Program Files\\AdSoft")};
        QTest::addRow("expanded leftover")
            << QStringLiteral("%ProgramFiles%\\AdSoft") << false << QStringList{QStringLiteral("C:\\Program Files\\AdSoft")};
        QTest::addRow("unresolved variable") << QStringLiteral("%NOPE%\\AdSoft") << false << QStringList();
        QTest::addRow("no location") << QString() << false << QStringList();
        QTest::addRow("existing folder, trailing blank") << QStringLiteral("C:\\Program Files\\AdSoft ") << true << QStringList();
        QTest::addRow("existing folder, leading blank") << QStringLiteral(" C:\\Program Files\\AdSoft") << true << QStringList();
        QTest::addRow("existing folder, line break") << QStringLiteral("C:\\Program Files\\AdSoft\r\n") << true << QStringList();
        QTest::addRow("existing folder, quoted") << QStringLiteral("\"C:\\Program Files\\AdSoft\"") << true << QStringList();
        QTest::addRow("quoted leftover")
            << QStringLiteral("\"C:\\Program Files\\AdSoft\\\"") << false << QStringList{QStringLiteral("C:\\Program Files\\AdSoft")};
    }

    void testInstallLocationIsEvidenceOnlyWhenItIsGone()
    {
        QFETCH(QString, location);
        QFETCH(bool, exists);
        QFETCH(QStringList, evidence);
        nlohmann::json extra = installed(uninstallKey(), "AdSoft", location.toStdString());
        if (exists)
            extra["files"] = {folder("C:\\Program Files\\AdSoft")};
        TestMachine machine(profile(extra));
        AdwarePattern p = adSoft();
        p.filePaths.clear();
        const auto report = detect(machine, AnalysisMachine::database({p}));
        QCOMPARE(report.junkSoftware.size(), 1);
        QCOMPARE(report.junkSoftware[0].evidencePaths, evidence);
    }

    void testAllThreeUninstallKeysAreRead_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addRow("HKLM") << QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X");
        QTest::addRow("WOW64") << QStringLiteral("HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X");
        QTest::addRow("HKCU") << QStringLiteral("HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X");
    }

    void testAllThreeUninstallKeysAreRead()
    {
        QFETCH(QString, key);
        TestMachine machine(profile(installed(key.toStdString(), "My AdSoft", "")));
        const auto report = detect(machine, AnalysisMachine::database({adSoft()}));
        QCOMPARE(report.junkSoftware.size(), 1);
        QCOMPARE(report.junkSoftware[0].dimension, QStringLiteral("已安装程序"));
    }

    void testStartupValueNamesOfEveryTypeAreMatched()
    {
        TestMachine machine(profile({{"registry",
                                      {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
                                        {{"xAdSoftRunx", 1}}}}}}));
        const auto report = detect(machine, AnalysisMachine::database({adSoft()}));
        QCOMPARE(report.junkSoftware.size(), 1);
        QCOMPARE(report.junkSoftware[0].dimension, QStringLiteral("开机自启"));
    }

    void testRunOnceIsNotAStartupPlace()
    {
        TestMachine machine(
            profile({{"registry", {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {{"AdSoftRun", "x"}}}}}}));
        QVERIFY(detect(machine, AnalysisMachine::database({adSoft()})).junkSoftware.isEmpty());
    }

    void testServiceKeyNameIsMatched()
    {
        TestMachine machine(profile({{"services", {{"AdSoftSvc64", {{"displayName", "Ad"}, {"state", "stopped"}}},
                                                    {"Other", {{"displayName", "AdSoftSvc"}}}}}}));
        const auto report = detect(machine, AnalysisMachine::database({adSoft()}));
        QCOMPARE(report.junkSoftware.size(), 1);
        QCOMPARE(report.junkSoftware[0].dimension, QStringLiteral("服务"));
    }

    void testFilePathsAreEvidenceOnceEach()
    {
        TestMachine machine(profile({{"files", {folder("C:\\Users\\Lenovo\\AppData\\Roaming\\AdSoft"), file("C:\\Shared\\adcommon.dll")}}}));
        AdwarePattern other = pattern(QStringLiteral("adw-002"), QStringLiteral("Other"));
        other.filePaths = QStringList{QStringLiteral("C:\\Shared\\adcommon.dll"), QStringLiteral("C:\\Shared\\ADCOMMON.dll")};
        const auto report = detect(machine, AnalysisMachine::database({adSoft(), other}));
        QCOMPARE(report.junkSoftware.size(), 2);
        QCOMPARE(report.junkSoftware[0].dimension, QStringLiteral("文件路径"));
        QCOMPARE(report.junkSoftware[0].evidencePaths,
                 (QStringList{QStringLiteral("C:\\Users\\Lenovo\\AppData\\Roaming\\AdSoft"), QStringLiteral("C:\\Shared\\adcommon.dll")}));
        QCOMPARE(report.junkSoftware[1].evidencePaths,
                 (QStringList{QStringLiteral("C:\\Shared\\adcommon.dll"), QStringLiteral("C:\\Shared\\ADCOMMON.dll")}));
    }

    void testUnresolvedVariableIsNeverReported()
    {
        TestMachine machine(profile({{"files", {folder("C:\\%NOPE%\\Ad")}}}));
        AdwarePattern p = adSoft();
        p.filePaths = QStringList{QStringLiteral("C:\\%NOPE%\\Ad")};
        QVERIFY(detect(machine, AnalysisMachine::database({p})).junkSoftware.isEmpty());
    }

    void testWhitelistedIdIsNeverReported()
    {
        TestMachine machine(profile({{"processes", {{{"pid", 10}, {"name", "adsoft.exe"}}}}}));
        SignatureDatabase db = AnalysisMachine::database({adSoft()});
        db.whitelistPatternIds = QStringList{QStringLiteral("ADW-001")};
        QCOMPARE(detect(machine, db).junkSoftware.size(), 1);
        db.whitelistPatternIds = QStringList{QStringLiteral("adw-001")};
        QVERIFY(detect(machine, db).junkSoftware.isEmpty());
    }

    void testWhitelistedProcessIsSkipped()
    {
        TestMachine machine(profile({{"processes", {{{"pid", 10}, {"name", "adsoft.exe"}}}}}));
        SignatureDatabase db = AnalysisMachine::database({adSoft()});
        db.whitelistProcessNames = QStringList{QStringLiteral("ADSOFT")};
        QVERIFY(detect(machine, db).junkSoftware.isEmpty());
    }

    void testWhitelistedFilePaths_data()
    {
        QTest::addColumn<QString>("signaturePath");
        QTest::addColumn<QString>("whitelisted");
        QTest::addColumn<bool>("reported");
        QTest::addRow("plain path suppressed") << QStringLiteral("C:\\Shared\\adcommon.dll") << QStringLiteral("c:\\shared") << false;
        QTest::addRow("variable whitelist suppresses a written-out path")
            << QStringLiteral("C:\\Users\\Lenovo\\AppData\\Roaming\\AdSoft") << QStringLiteral("%APPDATA%\\AdSoft") << false;
        QTest::addRow("the same variable on both sides is suppressed")
            << QStringLiteral("%APPDATA%\\AdSoft") << QStringLiteral("%APPDATA%\\AdSoft") << false;
        QTest::addRow("written-out whitelist suppresses a variable path")
            << QStringLiteral("%AppData%\\AdSoft") << QStringLiteral("C:\\USERS\\Lenovo\\AppData\\Roaming") << false;
        QTest::addRow("another folder under the same variable is reported")
            << QStringLiteral("%APPDATA%\\AdSoft") << QStringLiteral("%APPDATA%\\Other") << true;
        QTest::addRow("empty whitelist entry suppresses everything")
            << QStringLiteral("C:\\Shared\\adcommon.dll") << QString() << false;
        QTest::addRow("unrelated whitelist") << QStringLiteral("C:\\Shared\\adcommon.dll") << QStringLiteral("D:\\Other") << true;
    }

    void testWhitelistedFilePaths()
    {
        QFETCH(QString, signaturePath);
        QFETCH(QString, whitelisted);
        QFETCH(bool, reported);
        TestMachine machine(profile({{"files", {folder("C:\\Users\\Lenovo\\AppData\\Roaming\\AdSoft"), file("C:\\Shared\\adcommon.dll")}}}));
        AdwarePattern p = adSoft();
        p.filePaths = QStringList{signaturePath};
        SignatureDatabase db = AnalysisMachine::database({p});
        db.whitelistFilePaths = QStringList{whitelisted};
        QCOMPARE(detect(machine, db).junkSoftware.size(), reported ? 1 : 0);
    }

    void testEmptySignatureEntryMatchesEverything()
    {
        TestMachine machine(profile({{"processes", {{{"pid", 10}, {"name", "notepad.exe"}}}}}));
        AdwarePattern p = pattern(QStringLiteral("adw-9"), QStringLiteral("Any"));
        p.processNames = QStringList{QString()};
        QCOMPARE(detect(machine, AnalysisMachine::database({p})).junkSoftware.size(), 1);
    }

    void testRecordMatchKeepsTheFirstLabelAndAddsNewEvidence()
    {
        ScanReportBundle report;
        const SignatureDatabase db = AnalysisMachine::database({adSoft()});
        JunkSoftwareDetector::recordMatch(report, db, db.patterns[0], QStringLiteral("服务"), QString());
        JunkSoftwareDetector::recordMatch(report, db, db.patterns[0], QStringLiteral("文件路径"), QStringLiteral("C:\\a"));
        JunkSoftwareDetector::recordMatch(report, db, db.patterns[0], QStringLiteral("文件路径"), QStringLiteral("C:\\a"));
        QCOMPARE(report.junkSoftware.size(), 1);
        QCOMPARE(report.junkSoftware[0].dimension, QStringLiteral("服务"));
        QCOMPARE(report.junkSoftware[0].evidencePaths, QStringList{QStringLiteral("C:\\a")});
    }
};

QTEST_GUILESS_MAIN(TestJunkSoftwareDetector)
#include "TestJunkSoftwareDetector.moc"
