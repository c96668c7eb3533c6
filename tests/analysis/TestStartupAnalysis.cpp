#include "AnalysisMachine.h"

#include "analysis/MachineQuery.h"
#include "analysis/StartupAnalyzer.h"
#include "analysis/StartupScanner.h"
#include "log/RunLogger.h"
#include "phase1/OptimizeCore.h"
#include "support/TempStick.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using AnalysisMachine::file;
using AnalysisMachine::profile;

// The phase-1 start-up count and the deep start-up analysis on simulated machines.
class TestStartupAnalysis : public QObject {
    Q_OBJECT

private:
    TempStick stick_;

    static constexpr const char* kStartupUser =
        "C:\\Users\\Lenovo\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";
    static constexpr const char* kStartupAll = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";

    static nlohmann::json shellExtensions(int count)
    {
        nlohmann::json values = nlohmann::json::object();
        for (int i = 0; i < count; ++i)
            values["{EXT-" + std::to_string(i) + "}"] = "extension";
        return {{"registry", {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved", values}}}};
    }

    static int count(TestMachine& machine, int major = 10, int minor = 0)
    {
        OptimizeCore core(machine.platform());
        core.osMajor = major;
        core.osMinor = minor;
        const int found = core.analyzeStartupItems();
        if (core.startupFasterSeconds != found * 6)
            return -1;
        return found;
    }

    static QVector<StartupScanItem> deep(TestMachine& machine, const SignatureDatabase& db = SignatureDatabase())
    {
        QVector<StartupScanItem> items;
        StartupScanner(machine.platform(), db).run(items);
        return items;
    }

    static const StartupScanItem* byName(const QVector<StartupScanItem>& items, const QString& name)
    {
        for (const StartupScanItem& item : items) {
            if (item.name == name)
                return &item;
        }
        return nullptr;
    }

    static QString logText()
    {
        QFile log(RunLogger::instance().logFilePath);
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogger::instance().initialize(stick_.appDir(), QString(), machine.platform());
    }

    void testEmptyMachineCountsNothingAndReportsItsSteps()
    {
        TestMachine machine(profile({}));
        OptimizeCore core(machine.platform());
        core.osMajor = 10;
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        QCOMPARE(core.analyzeStartupItems(), 0);
        QCOMPARE(core.startupFasterSeconds, 0);
        const QList<QPair<int, QString>> expected = {
            {86, QStringLiteral("正在扫描注册表启动项...")}, {88, QStringLiteral("正在扫描Shell扩展...")},
            {89, QStringLiteral("正在扫描启动文件夹...")},   {90, QStringLiteral("正在扫描计划任务启动项...")},
            {91, QStringLiteral("启动项扫描完成")},
        };
        QCOMPARE(progress.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(progress[i][0].toInt(), 6);
            QCOMPARE(progress[i][1].toInt(), expected[i].first);
            QCOMPARE(progress[i][2].toString(), expected[i].second);
        }
        QVERIFY(logText().contains(QStringLiteral("[引擎]   开机自启扫描: 共发现 0 项，预计开机提速 0 秒")));
    }

    void testCountsStringValuesOfTheSevenRunKeysOnly()
    {
        TestMachine machine(profile(
            {{"registry",
              {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {{"A", "a.exe"}, {"Number", 5}}},
               {"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {{"B", {{"expand", "%x%\\b.exe"}}}}},
               {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {{"C", "c.exe"}}},
               {"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {{"D", ""}}},
               {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", {{"E", "e.exe"}}},
               {"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", {{"F", "f.exe"}}},
               {"HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", {{"G", "g.exe"}}},
               {"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                {{"Shell", "explorer.exe"},
                 {"Userinit", "C:\\Windows\\system32\\userinit.exe,"},
                 {"AutoRestartShell", 1},
                 {"DefaultUserName", "Lenovo"},
                 {"AutoAdminLogon", "0"}}},
               {"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                {{"AppInit_DLLs", "  "}, {"Load", ""}, {"Run", " "}, {"Device", "Printer,winspool,Ne00:"}}}}}}));
        // 7 run values (the DWORD not counted, the empty string counted); the Winlogon and Windows settings
        // and the Windows defaults start nothing.
        QCOMPARE(count(machine), 7);
    }

    void testWinlogonAndWindowsValuesThatStartAProgram_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("counted");
        const QString winlogon = QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon");
        const QString windows = QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows");
        QTest::addRow("changed Shell") << winlogon << "Shell" << "explorer2.com" << 1;
        QTest::addRow("Shell with explorer and more") << winlogon << "Shell" << "Explorer.EXE, evil.exe" << 0;
        QTest::addRow("changed Userinit") << winlogon << "Userinit" << "C:\\x\\hook.exe" << 1;
        QTest::addRow("empty Shell") << winlogon << "Shell" << "" << 0;
        QTest::addRow("a Winlogon setting") << winlogon << "LegalNoticeCaption" << "Welcome" << 0;
        QTest::addRow("AppInit_DLLs") << windows << "AppInit_DLLs" << "C:\\x\\hook.dll" << 1;
        QTest::addRow("Load") << windows << "Load" << "C:\\x\\load.exe" << 1;
        QTest::addRow("Run") << windows << "Run" << "C:\\x\\run.exe" << 1;
        QTest::addRow("blank Run") << windows << "Run" << "   " << 0;
        QTest::addRow("a Windows setting") << windows << "Spooler" << "yes" << 0;
    }

    void testWinlogonAndWindowsValuesThatStartAProgram()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, data);
        QFETCH(int, counted);
        const nlohmann::json values = {{value.toStdString(), data.toStdString()}};
        TestMachine machine(profile({{"registry", {{key.toStdString(), values}}}}));
        QCOMPARE(count(machine), counted);
    }

    void testChangedHooksAndAppInitAddOneEach()
    {
        TestMachine machine(profile(
            {{"registry",
              {{"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                {{"Shell", "evil.exe"}, {"Userinit", "C:\\x\\hook.exe"}}},
               {"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows", {{"AppInit_DLLs", "C:\\x\\hook.dll"}}}}}}));
        QCOMPARE(count(machine), 3);
        const auto items = deep(machine);
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0].name, QStringLiteral("Shell"));
        QCOMPARE(items[0].command, QStringLiteral("evil.exe"));
        QCOMPARE(items[0].source, QStringLiteral("Winlogon"));
        QCOMPARE(items[0].sourceType, 7);
        QCOMPARE(items[0].score, 10);
        QCOMPARE(items[0].riskLevel, 2);
        QVERIFY(items[0].hijacked);
        QVERIFY(!items[0].canDisable);
        QCOMPARE(items[0].riskLabel, QStringLiteral("🔴 高风险"));
        QCOMPARE(items[1].name, QStringLiteral("Userinit"));
        QCOMPARE(items[2].name, QStringLiteral("AppInit_DLLs"));
        QCOMPARE(items[2].source, QStringLiteral("AppInit_DLLs"));
        QCOMPARE(items[2].sourceType, 9);
        QVERIFY(items[2].hijacked);
    }

    void testEmptyShellIsNeitherCountedNorReported()
    {
        TestMachine machine(profile(
            {{"registry", {{"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", {{"Shell", ""}}}}}}));
        QCOMPARE(count(machine), 0);
        QVERIFY(deep(machine).isEmpty());
    }

    void testShellExtensions_data()
    {
        QTest::addColumn<int>("extensions");
        QTest::addColumn<int>("counted");
        QTest::addColumn<bool>("reported");
        QTest::addRow("50") << 50 << 0 << false;
        QTest::addRow("55") << 55 << 0 << false;
        QTest::addRow("60") << 60 << 1 << false;
        QTest::addRow("61") << 61 << 1 << true;
        QTest::addRow("75") << 75 << 2 << true;
    }

    void testShellExtensions()
    {
        QFETCH(int, extensions);
        QFETCH(int, counted);
        QFETCH(bool, reported);
        TestMachine machine(profile(shellExtensions(extensions)));
        QCOMPARE(count(machine), counted);
        const auto items = deep(machine);
        QCOMPARE(items.size(), reported ? 1 : 0);
        if (!reported)
            return;
        QCOMPARE(items[0].name, QStringLiteral("Shell Extensions"));
        QCOMPARE(items[0].command, QStringLiteral("共 %1 个").arg(extensions));
        QCOMPARE(items[0].source, QStringLiteral("Shell Extensions Approved"));
        QCOMPARE(items[0].sourceType, 13);
        QCOMPARE(items[0].score, 40);
        QCOMPARE(items[0].riskLevel, 2);
        QVERIFY(!items[0].hijacked);
        QVERIFY(!items[0].canDisable);
    }

    void testStartupFolderPatterns()
    {
        const std::string user = kStartupUser;
        TestMachine machine(profile({{"files",
                                      {file(user + "a.exe"), file(user + "a.lnk"), file(user + "b.LNK"), file(user + "c.bat"), file(user + "d.cmd"),
                                       file(user + "e.vbs"), file(user + "f.ps1"), file(user + "g.wsf"), file(user + "h.txt"),
                                       {{"path", user + "desktop.ini"}, {"size", 10}, {"attributes", {"hidden", "system"}}},
                                       {{"path", user + "hidden.exe"}, {"size", 10}, {"attributes", {"hidden"}}},
                                       AnalysisMachine::folder(user + "sub.exe")}}}));
        QCOMPARE(count(machine), 9);
        const auto items = deep(machine);
        QCOMPARE(items.size(), 7);
        QVERIFY(byName(items, QStringLiteral("a.exe")) && byName(items, QStringLiteral("a.lnk")));
        for (const StartupScanItem& item : items) {
            QCOMPARE(item.source, QStringLiteral("User Startup"));
            QCOMPARE(item.sourceType, 11);
            QVERIFY(item.canDisable);
        }
        const StartupScanItem* link = byName(items, QStringLiteral("b.LNK"));
        QVERIFY(link);
        QCOMPARE(link->command, QString::fromStdString(user) + QStringLiteral("b.LNK"));
    }

    void testShortcutIsScoredOnItselfAndReachesSixty()
    {
        TestMachine machine(profile({{"files", {file(std::string(kStartupAll) + "Tool.name.lnk")}},
                                     {"security", {{"signedFiles", {"C:\\Tools\\tool.exe"}}}}}));
        const auto items = deep(machine);
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].name, QStringLiteral("Tool.name.lnk"));
        QCOMPARE(items[0].source, QStringLiteral("Common Startup"));
        QCOMPARE(items[0].sourceType, 10);
        QCOMPARE(items[0].score, 60);
        QCOMPARE(items[0].riskLabel, QStringLiteral("🟡 可疑"));
    }

    void testRunKeyScores_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("score");
        QTest::addRow("signed in program files") << QStringLiteral("\"C:\\Program Files\\Good\\good.exe\" /tray") << 100;
        QTest::addRow("signed via a variable") << QStringLiteral("%ProgramFiles%\\Good\\good.exe") << 100;
        QTest::addRow("unsigned existing") << QStringLiteral("\"C:\\Program Files\\Plain\\plain.exe\"") << 60;
        QTest::addRow("unsigned missing") << QStringLiteral("\"C:\\Program Files\\Gone\\gone.exe\"") << 50;
        QTest::addRow("unquoted path with a blank is resolved")
            << QStringLiteral("C:\\Program Files\\Plain\\plain.exe") << 60;
        QTest::addRow("unquoted signed path with a switch")
            << QStringLiteral("C:\\Program Files\\Good\\good.exe /s") << 100;
        QTest::addRow("unquoted path without its extension")
            << QStringLiteral("%ProgramFiles%\\Good\\good -tray") << 100;
        QTest::addRow("a folder is no program") << QStringLiteral("C:\\App.v2 beta\\signed.exe") << 100;
        QTest::addRow("unquoted missing path is cut at its blank")
            << QStringLiteral("C:\\Program Files\\Gone\\gone.exe") << 25;
        QTest::addRow("unsigned in temp") << QStringLiteral("C:\\Users\\Lenovo\\AppData\\Local\\Temp\\t.exe") << 25;
        QTest::addRow("signed in temp") << QStringLiteral("C:\\Windows\\Temp\\signed.exe") << 75;
        QTest::addRow("unresolved variable") << QStringLiteral("%NOSUCH%\\good.exe") << 25;
        QTest::addRow("other drive unsigned") << QStringLiteral("E:\\x.exe") << 25;
        QTest::addRow("unknown signature in program files") << QStringLiteral("C:\\Program Files\\New\\new.exe") << 100;
        QTest::addRow("unknown signature in temp") << QStringLiteral("C:\\Users\\Lenovo\\AppData\\Local\\Temp\\new.exe")
                                                   << 50;
    }

    void testRunKeyScores()
    {
        QFETCH(QString, command);
        QFETCH(int, score);
        TestMachine machine(profile(
            {{"registry", {{"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {{"Entry", command.toStdString()}}}}},
             {"files",
              {file("C:\\Program Files\\Good\\good.exe"), file("C:\\Program Files\\Plain\\plain.exe"),
               file("C:\\Users\\Lenovo\\AppData\\Local\\Temp\\t.exe"), file("C:\\Windows\\Temp\\signed.exe"),
               AnalysisMachine::folder("C:\\App.v2"), file("C:\\App.v2 beta\\signed.exe"),
               file("C:\\Program Files\\New\\new.exe"), file("C:\\Users\\Lenovo\\AppData\\Local\\Temp\\new.exe")}},
             {"security",
              {{"signedFiles", {"C:\\Program Files\\Good\\good.exe", "C:\\Windows\\Temp\\signed.exe"}},
               {"catalogSignedFiles", {"C:\\App.v2 beta\\signed.exe"}},
               {"uncheckableFiles",
                {"C:\\Program Files\\New\\new.exe", "C:\\Users\\Lenovo\\AppData\\Local\\Temp\\new.exe"}}}}}));
        const auto items = deep(machine);
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].command, command);
        QCOMPARE(items[0].source, QStringLiteral("HKCU Run"));
        QCOMPARE(items[0].sourceType, 2);
        QCOMPARE(items[0].score, score);
        QCOMPARE(items[0].riskLabel.endsWith(QStringLiteral("（签名无法验证）")), command.contains(QStringLiteral("new.exe")));
        QVERIFY(!items[0].hijacked);
    }

    void testRunKeySourcesInOrderAndEmptyOrNonStringValuesSkipped()
    {
        TestMachine machine(profile(
            {{"registry",
              {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {{"a", "a.exe"}, {"dword", 1}, {"empty", ""}}},
               {"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {{"b", "b.exe"}}},
               {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {{"c", "c.exe"}}},
               {"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {{"d", "d.exe"}}},
               {"HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", {{"e", "e.exe"}}},
               {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", {{"f", "f.exe"}}},
               {"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", {{"g", "g.exe"}}}}}}));
        const auto items = deep(machine);
        const QStringList sources = {QStringLiteral("HKLM Run"),     QStringLiteral("HKCU Run"),
                                     QStringLiteral("HKLM RunOnce"), QStringLiteral("HKCU RunOnce"),
                                     QStringLiteral("WOW64 Run"),    QStringLiteral("Policies Run(HKLM)"),
                                     QStringLiteral("Policies Run(HKCU)")};
        const QList<int> types = {1, 2, 3, 4, 5, 6, 6};
        QCOMPARE(items.size(), sources.size());
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i].source, sources[i]);
            QCOMPARE(items[i].sourceType, types[i]);
            QVERIFY(items[i].canDisable);
        }
    }

    void testScheduledTasks()
    {
        TestMachine machine(profile({{"tasks",
                                      {{{"path", "\\Logon"}, {"enabled", true}, {"triggers", {9}}},
                                       {{"path", "\\BootAndLogon"}, {"enabled", true}, {"hidden", true}, {"triggers", {8, 9, 1}}},
                                       {{"path", "\\Disabled"}, {"enabled", false}, {"triggers", {9}}},
                                       {{"path", "\\Daily"}, {"enabled", true}, {"triggers", {2}}},
                                       {{"path", "\\Broken"}, {"enabled", true}, {"triggers", {9}}, {"triggerError", 5}},
                                       {{"path", "\\OneBadTrigger"}, {"enabled", true}, {"unreadableTriggers", 1},
                                        {"triggers", {8}}},
                                       {{"path", "\\OnlyBadTriggers"}, {"enabled", true}, {"unreadableTriggers", 2}},
                                       {{"path", "\\Sub\\Nested"}, {"enabled", true}, {"triggers", {9}}}}}}));
        QCOMPARE(count(machine), 4);
        QCOMPARE(count(machine, 6, 1), 0);
        const auto items = deep(machine);
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0].name, QStringLiteral("Logon"));
        QCOMPARE(items[0].command, QStringLiteral("计划任务"));
        QCOMPARE(items[0].source, QStringLiteral("计划任务"));
        QCOMPARE(items[0].sourceType, 12);
        QCOMPARE(items[0].score, 25);
        QCOMPARE(items[0].riskLabel, QStringLiteral("🔴 高风险"));
        QVERIFY(!items[0].canDisable);
        QCOMPARE(items[1].name, QStringLiteral("BootAndLogon"));
        QCOMPARE(items[2].name, QStringLiteral("OneBadTrigger"));
    }

    void testJunkNamedTaskScoresZero()
    {
        TestMachine machine(profile({{"tasks", {{{"path", "\\AdUpdater"}, {"enabled", true}, {"triggers", {9}}}}}}));
        AdwarePattern ad = AnalysisMachine::pattern(QStringLiteral("adw-1"), QStringLiteral("Ad"));
        ad.startupNames = QStringList{QStringLiteral("adupdat")};
        const auto items = deep(machine, AnalysisMachine::database({ad}));
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].score, 0);
    }

    void testWithoutDatabaseEveryEntryGetsTheJunkNamePoints()
    {
        TestMachine machine(profile(
            {{"registry", {{"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {{"AdUpdater", "E:\\a.exe"}}}}}}));
        AdwarePattern ad = AnalysisMachine::pattern(QStringLiteral("adw-1"), QStringLiteral("Ad"));
        ad.processNames = QStringList{QStringLiteral("adupdater")};
        SignatureDatabase unloaded = AnalysisMachine::database({ad});
        unloaded.loaded = false;
        QCOMPARE(deep(machine, unloaded)[0].score, 25);
        QCOMPARE(deep(machine, AnalysisMachine::database({ad}))[0].score, 0);
    }

    void testOversizedValueNoLongerHidesTheRest_data()
    {
        QTest::addColumn<int>("nameChars");
        QTest::addColumn<int>("dataChars");
        QTest::addColumn<bool>("read");
        QTest::addRow("data beyond the first buffer") << 8 << 3000 << true;
        QTest::addRow("megabytes of data") << 8 << 1500000 << true;
        QTest::addRow("a 2,000-character name") << 2000 << 8 << true;
        QTest::addRow("the longest name the registry holds") << 16383 << 8 << true;
        QTest::addRow("data beyond the bound is skipped") << 8 << int(MachineQuery::kMaxValueBytes / 2) << false;
    }

    void testOversizedValueNoLongerHidesTheRest()
    {
        QFETCH(int, nameChars);
        QFETCH(int, dataChars);
        QFETCH(bool, read);
        const std::string name = "b" + std::string(static_cast<std::size_t>(nameChars) - 1, 'n');
        const std::string data = "C:\\" + std::string(static_cast<std::size_t>(dataChars) - 3, 'x');
        TestMachine machine(profile({{"registry",
                                      {{"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                                        {{"a first", "C:\\a.exe"}, {name, data}, {"c after", "C:\\b.exe"}}}}}}));
        const auto items = deep(machine);
        QCOMPARE(items.size(), read ? 3 : 2);
        QCOMPARE(items.first().name, QStringLiteral("a first"));
        QCOMPARE(items.last().name, QStringLiteral("c after"));
        if (read)
            QCOMPARE(items[1].name.size(), nameChars);
        QCOMPARE(count(machine), read ? 3 : 2);
    }

    void testOversizedWinlogonValueIsReadAgain()
    {
        const std::string shell = "C:\\" + std::string(6000, 'x') + "\\shell.exe";
        TestMachine machine(profile(
            {{"registry", {{"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", {{"Shell", shell}}}}}}));
        const auto items = deep(machine);
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].command, QString::fromStdString(shell));
        QCOMPARE(count(machine), 1);
    }
};

QTEST_GUILESS_MAIN(TestStartupAnalysis)
#include "TestStartupAnalysis.moc"
