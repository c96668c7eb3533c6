#include "AnalysisMachine.h"

#include "analysis/AnalysisStep.h"
#include "log/RunLogger.h"
#include "phase1/OptimizeCore.h"
#include "support/TempStick.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using AnalysisMachine::file;
using AnalysisMachine::profile;

// The analysis step: a fresh report per run, the storage members copied, the scanners in order with their
// progress texts, the signature database loaded once, and the findings and summary lines in the run log.
class TestAnalysisStep : public QObject {
    Q_OBJECT

private:
    TempStick stick_;

    static QStringList logLines()
    {
        QFile log(RunLogger::instance().logFilePath);
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'));
    }

    // The index of the line the next log line will take (the text ends with a line feed).
    static int mark() { return qMax(0, logLines().size() - 1); }

    static QStringList linesSince(int start, const QString& marker)
    {
        QStringList found;
        const QStringList lines = logLines();
        for (int i = start; i < lines.size(); ++i) {
            if (lines[i].contains(marker))
                found.append(lines[i].mid(lines[i].indexOf(QStringLiteral("[引擎]"))));
        }
        return found;
    }

    static nlohmann::json findings()
    {
        return {{"registry",
                 {{"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                   {{"Good", "\"C:\\Program Files\\Good\\good.exe\""}, {"Bad", "C:\\Users\\Lenovo\\AppData\\Local\\Temp\\bad.exe"}}}}},
                {"files",
                 {file("C:\\Program Files\\Good\\good.exe"),
                  AnalysisMachine::textFile("C:\\Users\\Lenovo\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\Preferences",
                                            "{\"default_search_provider\": {\"keyword\": \"bing.com\"}}")}},
                {"security", {{"signedFiles", {"C:\\Program Files\\Good\\good.exe"}}}}};
    }

    static void resetDatabase()
    {
        SignatureDatabase::instance().load(QStringLiteral("/nonexistent/tidewell"));
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogger::instance().initialize(stick_.appDir(), QString(), machine.platform());
    }

    void init() { resetDatabase(); }

    void testEmptyMachineGivesEmptyListsAndAZeroSummary()
    {
        TestMachine machine(profile({}));
        OptimizeCore core(machine.platform());
        QSignalSpy progress(&core, &OptimizeCore::progressUpdated);
        const int start = mark();
        core.runDetailedAnalysis();
        QVERIFY(core.report.startupItems.isEmpty());
        QVERIFY(core.report.junkSoftware.isEmpty());
        QVERIFY(core.report.browserItems.isEmpty());
        QVERIFY(core.report.popupWindows.isEmpty());
        QVERIFY(core.report.conflicts.isEmpty());
        QCOMPARE(linesSince(start, QStringLiteral("Phase1扫描汇总")),
                 QStringList{QStringLiteral("[引擎]   Phase1扫描汇总: 自启 0 项 | 垃圾软件 0 款 | 浏览器劫持 0 处 | 可疑弹窗 0 个 | 冲突/建议 0 条")});
        QVERIFY(linesSince(start, QStringLiteral("扫描[")).isEmpty());

        const QList<QPair<int, QString>> expected = {
            {96, QStringLiteral("正在深度分析开机自启...")}, {97, QStringLiteral("正在检测垃圾软件...")},
            {98, QStringLiteral("正在检查浏览器劫持...")},   {98, QStringLiteral("正在分析弹窗进程...")},
            {99, QStringLiteral("正在检查软件冲突...")},
        };
        QCOMPARE(progress.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(progress[i][0].toInt(), 6);
            QCOMPARE(progress[i][1].toInt(), expected[i].first);
            QCOMPARE(progress[i][2].toString(), expected[i].second);
        }
    }

    void testStorageMembersAreCopied()
    {
        TestMachine machine(profile({}));
        OptimizeCore core(machine.platform());
        core.fastStartupEnabled = true;
        core.keepHibernation = true;
        core.hibernationTurnedOff = true;
        core.fastStartupReason = QStringLiteral("空间充裕，建议启用快速启动");
        core.hibernationReason = QStringLiteral("快速启动依赖休眠文件，必须保持休眠");
        core.pagefileAdvice = QStringLiteral("保持系统自动管理");
        core.restoreAdvice = QStringLiteral("保持系统还原");
        core.storageFreedMB = 6144;
        core.uninstallResidueCount = 17;
        core.runDetailedAnalysis();
        const ScanReportBundle& report = core.report;
        QVERIFY(report.fastStartupEnabled);
        QVERIFY(report.keepHibernation);
        QVERIFY(report.hibernationTurnedOff);
        QCOMPARE(report.fastStartupReason, core.fastStartupReason);
        QCOMPARE(report.hibernationReason, core.hibernationReason);
        QCOMPARE(report.pagefileAdvice, core.pagefileAdvice);
        QCOMPARE(report.restoreAdvice, core.restoreAdvice);
        QCOMPARE(report.storageFreedMB, 6144);
        QCOMPARE(report.uninstallResidueCount, 17);
    }

    void testNormalFindingsAreCountedButNotLogged()
    {
        TestMachine machine(profile(findings()));
        OptimizeCore core(machine.platform());
        const int start = mark();
        core.runDetailedAnalysis();
        QCOMPARE(core.report.startupItems.size(), 2);
        QCOMPARE(core.report.browserItems.size(), 1);
        QVERIFY(!core.report.browserItems[0].abnormal);
        QCOMPARE(linesSince(start, QStringLiteral("扫描[")),
                 QStringList{QStringLiteral("[引擎]     扫描[自启]: Bad | HKCU Run | 评分25 | 🔴 高风险")});
        QVERIFY(linesSince(start, QStringLiteral("Phase1扫描汇总"))
                    .value(0)
                    .endsWith(QStringLiteral("自启 2 项 | 垃圾软件 0 款 | 浏览器劫持 1 处 | 可疑弹窗 0 个 | 冲突/建议 0 条")));
    }

    void testSecondRunReportsOnlyItsOwnFindings()
    {
        TestMachine busy(profile(findings()));
        TestMachine quiet(profile({}));
        OptimizeCore core(busy.platform());
        core.runDetailedAnalysis();
        QCOMPARE(core.report.startupItems.size(), 2);
        OptimizeCore second(quiet.platform());
        second.report = core.report;
        second.runDetailedAnalysis();
        QVERIFY(second.report.startupItems.isEmpty());
        QVERIFY(second.report.browserItems.isEmpty());
        core.runDetailedAnalysis();
        QCOMPARE(core.report.startupItems.size(), 2);
    }

    void testLoadedDatabaseIsNotLoadedAgain()
    {
        QTemporaryDir dir;
        {
            QFile adware(dir.filePath(QStringLiteral("adware.json")));
            QVERIFY(adware.open(QIODevice::WriteOnly));
            adware.write(R"({"version": "t", "patterns": [{"id": "adw-t", "name": "T", "detection": {"process_names": ["tproc"]}}]})");
        }
        QVERIFY(SignatureDatabase::instance().load(dir.path()));
        TestMachine machine(profile({{"processes", {{{"pid", 9}, {"name", "tproc.exe"}}}}}));
        OptimizeCore core(machine.platform());
        core.runDetailedAnalysis();
        QCOMPARE(core.report.junkSoftware.size(), 1);
        QCOMPARE(SignatureDatabase::instance().version, QStringLiteral("t"));
    }

    void testWithoutSignaturesFolderTheRunCompletes()
    {
        QVERIFY(!QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/signatures")).exists());
        TestMachine machine(profile({{"processes", {{{"pid", 9}, {"name", "2345SafeTray.exe"}}}}}));
        OptimizeCore core(machine.platform());
        core.runDetailedAnalysis();
        QVERIFY(!SignatureDatabase::instance().loaded);
        QVERIFY(core.report.junkSoftware.isEmpty());
    }

    void testFindingLinesFormat()
    {
        ScanReportBundle report;
        StartupScanItem safe;
        safe.name = QStringLiteral("Safe");
        safe.riskLevel = 0;
        StartupScanItem hook;
        hook.name = QStringLiteral("Shell");
        hook.source = QStringLiteral("Winlogon");
        hook.score = 10;
        hook.riskLevel = 0;
        hook.hijacked = true;
        hook.riskLabel = QStringLiteral("🔴 高风险");
        report.startupItems = {safe, hook};
        JunkSoftwareHit named;
        named.id = QStringLiteral("adw-1");
        named.name = QStringLiteral("Ad %1");
        named.nameCn = QStringLiteral("广告");
        named.dimension = QStringLiteral("服务");
        named.riskLevel = QStringLiteral("high");
        JunkSoftwareHit english = named;
        english.nameCn.clear();
        report.junkSoftware = {named, english};
        report.browserItems = {{QStringLiteral("Edge"), QStringLiteral("首页"), QStringLiteral("x"), QString(), true, QString()},
                               {QStringLiteral("Edge"), QStringLiteral("搜索引擎"), QStringLiteral("bing"), QString(), false, QString()}};
        report.popupWindows = {{QStringLiteral("ad.exe"), QStringLiteral("t"), 42, false, true, QStringLiteral("无有效数字签名")}};
        report.conflicts = {{QStringLiteral("pup"), QStringLiteral("检测到低质量软件：快压"), QStringLiteral("d"), QStringLiteral("s")}};
        const QStringList expected = {
            QStringLiteral("    扫描[自启]: Shell | Winlogon | 评分10 | 🔴 高风险"),
            QStringLiteral("    扫描[垃圾软件]: 广告(adw-1) | 维度:服务 | 风险:high"),
            QStringLiteral("    扫描[垃圾软件]: Ad %1(adw-1) | 维度:服务 | 风险:high"),
            QStringLiteral("    扫描[浏览器劫持]: Edge | 首页 | 当前值:x"),
            QStringLiteral("    扫描[可疑弹窗]: ad.exe (PID 42) | 无有效数字签名"),
            QStringLiteral("    扫描[冲突/建议]: 检测到低质量软件：快压 | s"),
        };
        QCOMPARE(AnalysisStep::findingLines(report), expected);
        QCOMPARE(AnalysisStep::summaryLine(report),
                 QStringLiteral("  Phase1扫描汇总: 自启 2 项 | 垃圾软件 2 款 | 浏览器劫持 2 处 | 可疑弹窗 1 个 | 冲突/建议 1 条"));
    }

    void testReportIsARegisteredValueType()
    {
        QVERIFY(registerScanReportBundle() > 0);
        QCOMPARE(QMetaType::type("ScanReportBundle"), registerScanReportBundle());
        ScanReportBundle report;
        report.restoreAdvice = QStringLiteral("保持系统还原");
        report.conflicts.append({QStringLiteral("pup"), QStringLiteral("t"), QStringLiteral("d"), QStringLiteral("s")});
        const QVariant carried = QVariant::fromValue(report);
        const ScanReportBundle copy = carried.value<ScanReportBundle>();
        QCOMPARE(copy.restoreAdvice, report.restoreAdvice);
        QCOMPARE(copy.conflicts.size(), 1);
        QCOMPARE(copy.conflicts[0].title, QStringLiteral("t"));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisStep)
#include "TestAnalysisStep.moc"
