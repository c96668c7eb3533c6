#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

#include <tuple>

using platform::sim::mergeProfile;

namespace {

constexpr std::uint64_t kMB = 1048576;
const std::string kLocal = "C:\\Users\\Ann\\AppData\\Local";
const std::string kRoaming = "C:\\Users\\Ann\\AppData\\Roaming";

nlohmann::json file(const std::string& path, std::uint64_t size, double ageHours = 100,
                    const std::vector<std::string>& attributes = {})
{
    nlohmann::json entry = {{"path", path}, {"size", size}, {"ageHours", ageHours}};
    if (!attributes.empty())
        entry["attributes"] = attributes;
    return entry;
}

// A small PC with something in every cleanup item; `usedPercent` of its 100 GiB system drive is used.
nlohmann::json smallPc(int major, int minor, double usedPercent)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, {
        {"system", {{"version", {{"major", major}, {"minor", minor}, {"build", major == 10 ? 19045 : 9600}}}}},
        {"environment", {{"USERNAME", "Ann"}}},
        {"disks", {{"C:", {{"totalGB", 100}, {"freeGB", 100 - usedPercent}}}}},
        {"services",
         {{"wuauserv", {{"state", "running"}, {"startType", "manual"}}},
          {"FontCache", {{"state", "running"}, {"startType", "auto"}}},
          {"DoSvc", {{"state", "running"}, {"startType", "auto"}}}}},
        {"files",
         {file("C:\\ProgramData\\Microsoft\\Windows\\WER\\ReportArchive\\A\\Report.wer", 3 * kMB),
          file("C:\\ProgramData\\Microsoft\\Windows\\WER\\ReportQueue\\B\\fresh.dmp", 5 * kMB, 2),
          file(kLocal + "\\Microsoft\\Windows\\WER\\ReportQueue\\C\\mini.dmp", 2 * kMB),
          file("C:\\Windows\\Microsoft.NET\\Framework\\v4.0.30319\\Temporary ASP.NET Files\\root\\x.dll", 1 * kMB),
          file("C:\\Windows\\Microsoft.NET\\Framework\\V9\\Temporary ASP.NET Files\\kept.dll", 1 * kMB),
          file(kLocal + "\\Microsoft\\Windows\\INetCache\\IE\\a.htm", kMB / 2),
          file(kLocal + "\\Temp\\.NET\\app\\c.bin", kMB / 2),
          file("C:\\Windows\\SoftwareDistribution\\Download\\kb\\update.cab", 40 * kMB),
          file("C:\\Windows\\Temp\\cbs.log", 4 * kMB),
          file(kLocal + "\\Microsoft\\DirectX Shader Cache\\s.val", 6 * kMB),
          file(kLocal + "\\NVIDIA\\DXCache\\d.bin", 7 * kMB),
          file(kLocal + "\\NVIDIA\\GLCache\\g.bin", 8 * kMB),
          file(kLocal + "\\AMD\\DxCache\\a.bin", 1 * kMB),
          file(kLocal + "\\Microsoft\\Windows\\Fonts\\FontCache.dat", 9 * kMB),
          file("C:\\Windows\\System32\\FNTCACHE.DAT", 10 * kMB),
          file("C:\\Windows\\SoftwareDistribution\\DeliveryOptimization\\Cache\\c.bin", 11 * kMB),
          file("C:\\Windows\\ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\DeliveryOptimization\\x.bin", 1 * kMB),
          file(kLocal + "\\Google\\Chrome\\User Data\\Default\\Cache\\data_1", 12 * kMB),
          file(kLocal + "\\Google\\Chrome\\User Data\\Profile 1\\Cache\\data_1", 12 * kMB),
          file(kLocal + "\\Microsoft\\Edge\\User Data\\Default\\Code Cache\\js", 2 * kMB),
          file(kRoaming + "\\Mozilla\\Firefox\\Profiles\\a.default\\cache2\\e1", 1 * kMB),
          file(kRoaming + "\\Mozilla\\Firefox\\Profiles\\b.work\\cache2\\e2", 1 * kMB),
          file(kRoaming + "\\Mozilla\\Firefox\\Profiles\\c.old\\cache2\\e3", 1 * kMB),
          file(kRoaming + "\\Mozilla\\Firefox\\Profiles\\c.old\\prefs.js", 1 * kMB),
          file(kLocal + "\\Temp\\setup.log", 3 * kMB),
          file(kLocal + "\\Temp\\in-use.tmp", 20 * kMB, 100, {"locked"}),
          file(kLocal + "\\Microsoft\\Windows\\Explorer\\thumbcache_256.db", 5 * kMB),
          file(kLocal + "\\Microsoft\\Windows\\Explorer\\iconcache_32.db", 5 * kMB)}},
    });
    return profile;
}

using Update = std::tuple<int, int, QString>;

QList<Update> updates(const QSignalSpy& spy)
{
    QList<Update> list;
    for (const auto& arguments : spy)
        list.append({arguments[0].toInt(), arguments[1].toInt(), arguments[2].toString()});
    return list;
}

QList<int> percents(const QSignalSpy& spy)
{
    QList<int> list;
    for (const auto& arguments : spy)
        list.append(arguments[1].toInt());
    return list;
}

int run(OptimizeCore& core, QSignalSpy* progress = nullptr)
{
    QString refusal;
    if (!core.checkEnvironment(refusal))
        qFatal("environment refused: %s", qPrintable(refusal));
    if (progress)
        progress->clear();
    return core.cleanJunkFiles(core.systemDrive);
}

} // namespace

// The junk cleanup as a whole: items, paths, conditions, progress, log lines and honest totals.
class TestJunkCleaner : public QObject {
    Q_OBJECT

private:
    bool exists(TestMachine& machine, const std::string& path)
    {
        return QFileInfo::exists(machine.hostPath(QString::fromStdString(path)));
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testWindows10OnAFullDisk()
    {
        TestMachine machine(smallPc(10, 0, 90));
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        const int mark = RunLogLines::mark();
        const int megabytes = run(core, &progress);

        const QList<Update> expected = {
            {1, 12, QStringLiteral("正在清理Windows错误报告...")},
            {1, 15, QStringLiteral("正在清理.NET临时文件...")},
            {1, 18, QStringLiteral("正在检查磁盘使用率...")},
            {1, 20, QStringLiteral("磁盘使用率较高，正在深度清理系统缓存...")},
            {1, 22, QStringLiteral("正在清理着色器缓存...")},
            {1, 24, QStringLiteral("正在重建字体缓存...")},
            {1, 25, QStringLiteral("正在清理传递优化缓存...")},
            {1, 26, QStringLiteral("正在刷新DNS缓存...")},
            {1, 27, QStringLiteral("正在清理旧版系统缓存...")},
            {1, 29, QStringLiteral("磁盘清理完成")},
        };
        QCOMPARE(updates(progress), expected);

        const QStringList lines = {
            QStringLiteral("    清理目录(限时24h) C:\\ProgramData\\Microsoft\\Windows\\WER\\ReportArchive\\: 释放 3 MB，删除 1 个文件"),
            QStringLiteral("    清理目录(限时24h) C:\\Users\\Ann\\AppData\\Local\\Microsoft\\Windows\\WER\\ReportQueue\\: 释放 2 MB，删除 1 个文件"),
            QStringLiteral("  清理 [A1 WER错误报告]: +5 MB"),
            QStringLiteral("    清理目录 C:\\Windows\\Microsoft.NET\\Framework\\v4.0.30319\\Temporary ASP.NET Files\\: 释放 1 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\Microsoft\\Windows\\INetCache\\: 释放 0 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\Temp\\.NET\\: 释放 0 MB，删除 1 个文件"),
            QStringLiteral("  清理 [A5 .NET临时文件]: +2 MB"),
            QStringLiteral("    清理目录 C:\\Windows\\SoftwareDistribution\\Download\\: 释放 40 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Windows\\Temp\\: 释放 4 MB，删除 1 个文件"),
            QStringLiteral("  清理 [B1 系统文件缓存(≥85%)]: +44 MB"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\Microsoft\\DirectX Shader Cache\\: 释放 6 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\NVIDIA\\DXCache\\: 释放 7 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\AMD\\DxCache\\: 释放 1 MB，删除 1 个文件"),
            QStringLiteral("  清理 [A3 着色器缓存]: +14 MB"),
            QStringLiteral("  清理 [A6 字体缓存]: +9 MB"),
            QStringLiteral("    清理目录 C:\\Windows\\SoftwareDistribution\\DeliveryOptimization\\: 释放 11 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Windows\\ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\DeliveryOptimization\\: 释放 1 MB，删除 1 个文件"),
            QStringLiteral("  清理 [A4 传递优化缓存]: +12 MB"),
            QStringLiteral("  已执行 A7：DNS缓存刷新（ipconfig /flushdns）"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\Cache\\: 释放 12 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\Microsoft\\Edge\\User Data\\Default\\Code Cache\\: 释放 2 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\a.default\\cache2\\: 释放 1 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\b.work\\cache2\\: 释放 1 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\c.old\\cache2\\: 释放 1 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\Temp\\: 释放 3 MB，删除 1 个文件"),
            QStringLiteral("    清理目录 C:\\Users\\Ann\\AppData\\Local\\Microsoft\\Windows\\Explorer\\: 释放 5 MB，删除 1 个文件"),
            QStringLiteral("  清理 [V1.4 浏览器/TEMP/缩略图]: +25 MB"),
        };
        const QStringList seen = RunLogLines::engineSince(mark);
        QCOMPARE(seen.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].contains(QLatin1String("Firefox")))
                QVERIFY2(seen.contains(lines[i]), qPrintable(lines[i]));
            else
                QCOMPARE(seen[i], lines[i]);
        }

        QCOMPARE(megabytes, 5 + 2 + 44 + 14 + 9 + 12 + 25);
        QCOMPARE(core.junkFilesCount, 2 + 3 + 2 + 3 + 1 + 2 + 7);
        QVERIFY(exists(machine, kLocal + "\\Temp\\in-use.tmp"));
        QVERIFY(exists(machine, "C:\\ProgramData\\Microsoft\\Windows\\WER\\ReportQueue\\B\\fresh.dmp"));
        QVERIFY(exists(machine, "C:\\Windows\\Microsoft.NET\\Framework\\V9\\Temporary ASP.NET Files\\kept.dll"));
        QVERIFY(exists(machine, kLocal + "\\NVIDIA\\GLCache\\g.bin"));
        QVERIFY(exists(machine, "C:\\Windows\\System32\\FNTCACHE.DAT"));
        QVERIFY(exists(machine, kLocal + "\\Google\\Chrome\\User Data\\Profile 1\\Cache\\data_1"));
        QVERIFY(exists(machine, kLocal + "\\Microsoft\\Windows\\Explorer\\iconcache_32.db"));
        QVERIFY(exists(machine, kRoaming + "\\Mozilla\\Firefox\\Profiles\\c.old\\prefs.js"));

        const QStringList journal = machine.journal();
        auto at = [&](const QString& line) { return journal.indexOf(line); };
        QVERIFY(at(QStringLiteral("service wuauserv stop -> stopped")) >= 0);
        QVERIFY(at(QStringLiteral("service wuauserv stop -> stopped")) <
                at(QStringLiteral("delete C:\\Windows\\SoftwareDistribution\\Download\\kb\\update.cab")));
        QVERIFY(at(QStringLiteral("delete C:\\Windows\\Temp\\cbs.log")) < at(QStringLiteral("service wuauserv start -> running")));
        QVERIFY(at(QStringLiteral("service FontCache stop -> stopped")) <
                at(QStringLiteral("delete C:\\Users\\Ann\\AppData\\Local\\Microsoft\\Windows\\Fonts\\FontCache.dat")));
        QVERIFY(at(QStringLiteral("service FontCache start -> running")) >= 0);
        QVERIFY(at(QStringLiteral("service DoSvc start -> running")) >= 0);
        QVERIFY(at(QStringLiteral("command C:\\Windows\\system32\\ipconfig.exe /flushdns -> exit 0")) >= 0);
        QVERIFY(at(QStringLiteral("start C:\\Windows\\system32\\cleanmgr.exe /sagerun:99 -> started")) >= 0);
    }

    void testSecondRunFindsTheCachesEmpty()
    {
        TestMachine machine(smallPc(10, 0, 90));
        {
            OptimizeCore core(machine.platform());
            run(core);
        }
        machine.reopen();
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        QCOMPARE(run(core), 0);
        QCOMPARE(core.junkFilesCount, 0);
        QCOMPARE(RunLogLines::engineSince(mark).filter(QStringLiteral("清理目录")), QStringList());
    }

    void testUpdateCacheNeedsAFullDisk_data()
    {
        QTest::addColumn<double>("used");
        QTest::addColumn<bool>("cleaned");
        QTest::addRow("84.9 percent") << 84.9 << false;
        QTest::addRow("85 percent") << 85.0 << true;
        QTest::addRow("90 percent") << 90.0 << true;
    }

    void testUpdateCacheNeedsAFullDisk()
    {
        QFETCH(double, used);
        QFETCH(bool, cleaned);
        TestMachine machine(smallPc(10, 0, used));
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        const int mark = RunLogLines::mark();
        run(core, &progress);
        QCOMPARE(percents(progress).contains(20), cleaned);
        QCOMPARE(exists(machine, "C:\\Windows\\SoftwareDistribution\\Download\\kb\\update.cab"), !cleaned);
        const QStringList lines = RunLogLines::engineSince(mark);
        QVERIFY(lines.contains(cleaned ? QStringLiteral("  清理 [B1 系统文件缓存(≥85%)]: +44 MB")
                                       : QStringLiteral("  清理 [B1 系统文件缓存(≥85%)]: +0 MB")));
        QCOMPARE(machine.journal().contains(QStringLiteral("service wuauserv stop -> stopped")), cleaned);
    }

    void testUpdateActivitySkipsTheUpdateCache_data()
    {
        QTest::addColumn<QByteArray>("overlay");
        QTest::addRow("trustedinstaller.exe running")
            << QByteArray(R"({"processes": [{"pid": 812, "name": "TrustedInstaller.exe"}]})");
        QTest::addRow("wuauclt.exe running") << QByteArray(R"({"processes": [{"pid": 900, "name": "wuauclt.exe"}]})");
        QTest::addRow("wuauserv starting") << QByteArray(R"({"services": {"wuauserv": {"state": "start-pending"}}})");
        QTest::addRow("wuauserv stopping") << QByteArray(R"({"services": {"wuauserv": {"state": "stop-pending"}}})");
    }

    void testUpdateActivitySkipsTheUpdateCache()
    {
        QFETCH(QByteArray, overlay);
        nlohmann::json profile = smallPc(10, 0, 90);
        mergeProfile(profile, nlohmann::json::parse(overlay.toStdString()));
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        run(core);
        const QStringList lines = RunLogLines::engineSince(mark);
        const int skip = lines.indexOf(QStringLiteral("B1 跳过：Windows Update 正在运行，暂不深度清理系统缓存"));
        QVERIFY(skip >= 0);
        QCOMPARE(lines.value(skip + 1), QStringLiteral("  清理 [B1 系统文件缓存(≥85%)]: +0 MB"));
        QVERIFY(exists(machine, "C:\\Windows\\SoftwareDistribution\\Download\\kb\\update.cab"));
        QVERIFY(exists(machine, "C:\\Windows\\Temp\\cbs.log") || !lines.filter(QStringLiteral("C:\\Windows\\Temp\\")).isEmpty());
        QVERIFY(machine.journal().filter(QStringLiteral("service wuauserv")).isEmpty());
    }

    void testAStoppedUpdateServiceStaysStopped()
    {
        nlohmann::json profile = smallPc(10, 0, 90);
        mergeProfile(profile, {{"services", {{"wuauserv", {{"state", "stopped"}}}}}});
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        run(core);
        QVERIFY(!exists(machine, "C:\\Windows\\SoftwareDistribution\\Download\\kb\\update.cab"));
        QVERIFY(machine.journal().filter(QStringLiteral("service wuauserv")).isEmpty());
    }

    void testWindows81HasNoDeliveryOptimisationItem()
    {
        TestMachine machine(smallPc(6, 3, 50));
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        const int mark = RunLogLines::mark();
        run(core, &progress);
        QCOMPARE(percents(progress), (QList<int>{12, 15, 18, 22, 24, 26, 27, 29}));
        QVERIFY(RunLogLines::engineSince(mark).filter(QStringLiteral("A4")).isEmpty());
        QVERIFY(exists(machine, "C:\\Windows\\SoftwareDistribution\\DeliveryOptimization\\Cache\\c.bin"));
        QVERIFY(!exists(machine, kLocal + "\\NVIDIA\\DXCache\\d.bin"));
        QVERIFY(exists(machine, kLocal + "\\NVIDIA\\GLCache\\g.bin"));
        QVERIFY(!exists(machine, kLocal + "\\Microsoft\\Windows\\Fonts\\FontCache.dat"));
    }

    void testWindows7UsesItsOwnFontAndShaderCaches()
    {
        TestMachine machine(smallPc(6, 1, 50));
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        run(core);
        QVERIFY(!exists(machine, "C:\\Windows\\System32\\FNTCACHE.DAT"));
        QVERIFY(exists(machine, kLocal + "\\Microsoft\\Windows\\Fonts\\FontCache.dat"));
        QVERIFY(!exists(machine, kLocal + "\\NVIDIA\\GLCache\\g.bin"));
        QVERIFY(exists(machine, kLocal + "\\NVIDIA\\DXCache\\d.bin"));
        QVERIFY(RunLogLines::engineSince(mark).contains(QStringLiteral("  清理 [A6 字体缓存]: +10 MB")));
    }

    void testALockedFontCacheCountsNothing()
    {
        nlohmann::json profile = smallPc(10, 0, 50);
        profile["files"].push_back(file(kLocal + "\\Microsoft\\Windows\\Fonts\\FontCache.dat", 9 * kMB, 100, {"locked"}));
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        const int megabytes = run(core);
        QVERIFY(RunLogLines::engineSince(mark).contains(QStringLiteral("  清理 [A6 字体缓存]: +0 MB")));
        // Below 85 % the Windows temporary folder is cleaned with the browsers instead (4 MB).
        QCOMPARE(megabytes, 5 + 2 + 14 + 12 + 25 + 4);
        QVERIFY(exists(machine, kLocal + "\\Microsoft\\Windows\\Fonts\\FontCache.dat"));
    }
};

QTEST_GUILESS_MAIN(TestJunkCleaner)
#include "TestJunkCleaner.moc"
