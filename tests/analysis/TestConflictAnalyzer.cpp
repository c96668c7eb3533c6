#include "AnalysisMachine.h"

#include "analysis/ConflictAnalyzer.h"

#include <QtTest>

using AnalysisMachine::profile;

// The conflict analysis: antivirus products from Security Center, overlapping kinds, low-quality software.
class TestConflictAnalyzer : public QObject {
    Q_OBJECT

private:
    static nlohmann::json antivirus(const std::vector<std::string>& names)
    {
        nlohmann::json products = nlohmann::json::array();
        for (const auto& name : names)
            products.push_back({{"displayName", name}, {"productState", 266240}});
        return {{"wmi", {{"AntiVirusProduct", products}}}};
    }

    static nlohmann::json programs(const std::vector<std::pair<std::string, std::string>>& keysAndNames)
    {
        nlohmann::json registry = nlohmann::json::object();
        for (const auto& [key, name] : keysAndNames)
            registry[key] = {{"DisplayName", name}};
        return {{"registry", registry}};
    }

    static std::string hklm(const std::string& id)
    {
        return "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + id;
    }

    static std::string wow(const std::string& id)
    {
        return "HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + id;
    }

    static QVector<ConflictAdvice> analyse(const nlohmann::json& extra, const SignatureDatabase& db = SignatureDatabase())
    {
        TestMachine machine(profile(extra));
        QVector<ConflictAdvice> conflicts;
        ConflictAnalyzer(machine.platform(), db).run(conflicts);
        return conflicts;
    }

    static AdwarePattern lowPup(const QString& id, const QString& nameCn, const QString& key)
    {
        AdwarePattern p = AnalysisMachine::pattern(id, QStringLiteral("Pup"));
        p.nameCn = nameCn;
        p.category = QStringLiteral("pup");
        p.riskLevel = QStringLiteral("low");
        p.uninstallKeys = QStringList{key};
        return p;
    }

private slots:
    void testOneAntivirusProduct()
    {
        const auto conflicts = analyse(antivirus({"Windows Defender"}));
        QCOMPARE(conflicts.size(), 1);
        QCOMPARE(conflicts[0].category, QStringLiteral("antivirus"));
        QCOMPARE(conflicts[0].title, QStringLiteral("检测到杀毒软件"));
        QCOMPARE(conflicts[0].detail, QStringLiteral("Windows Defender"));
        QCOMPARE(conflicts[0].suggestion, QStringLiteral("如未安装杀毒软件请及时安装（Windows Defender 已内置）"));
    }

    void testSeveralAntivirusProducts()
    {
        const auto conflicts = analyse(antivirus({"Windows Defender", "火绒安全软件", "Windows Defender"}));
        QCOMPARE(conflicts.size(), 1);
        QCOMPARE(conflicts[0].title, QStringLiteral("检测到多个杀毒软件同时运行"));
        QCOMPARE(conflicts[0].detail, QStringLiteral("Windows Defender、火绒安全软件"));
        QCOMPARE(conflicts[0].suggestion, QStringLiteral("建议只保留一款杀毒软件，避免相互冲突导致系统卡顿"));
    }

    void testAntivirusInWinesUtf16Layout()
    {
        nlohmann::json extra = antivirus({"Windows Defender", "360杀毒"});
        extra["wmicOutput"] = "utf16";
        QCOMPARE(analyse(extra).value(0).detail, QStringLiteral("Windows Defender、360杀毒"));
    }

    void testNoAntivirusAnswerAddsNothing()
    {
        QVERIFY(analyse({}).isEmpty());
    }

    void testWmicWithoutAnAnswerSaysUnavailable_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<QString>("detail");
        QTest::addRow("missing, as on recent Windows 11") << "missing" << "wmic：未找到程序";
        QTest::addRow("hung") << "hang" << "wmic：超时未结束";
    }

    void testWmicWithoutAnAnswerSaysUnavailable()
    {
        QFETCH(QString, behaviour);
        QFETCH(QString, detail);
        const auto conflicts = analyse({{"tools", {{"wmic", behaviour.toStdString()}}}});
        QCOMPARE(conflicts.size(), 1);
        QCOMPARE(conflicts[0].title, QStringLiteral("杀毒软件检测不可用"));
        QCOMPARE(conflicts[0].detail, detail);
        QCOMPARE(conflicts[0].suggestion, QStringLiteral("请在 Windows 安全中心查看杀毒软件状态"));
    }

    void testOverlap_data()
    {
        QTest::addColumn<int>("browsers");
        QTest::addColumn<int>("records");
        QTest::addRow("two") << 2 << 0;
        QTest::addRow("three") << 3 << 1;
    }

    void testOverlap()
    {
        QFETCH(int, browsers);
        QFETCH(int, records);
        const std::vector<std::pair<std::string, std::string>> all = {
            {hklm("a"), "Google Chrome"}, {hklm("b"), "猎豹浏览器"}, {hklm("c"), "Mozilla FIREFOX"}};
        const auto conflicts = analyse(programs({all.begin(), all.begin() + browsers}));
        QCOMPARE(conflicts.size(), records);
        if (records == 0)
            return;
        QCOMPARE(conflicts[0].category, QStringLiteral("overlap"));
        QCOMPARE(conflicts[0].title, QStringLiteral("检测到 3 个同类软件：浏览器"));
        QCOMPARE(conflicts[0].detail, QStringLiteral("Google Chrome、猎豹浏览器、Mozilla Firefox"));
        QCOMPARE(conflicts[0].suggestion, QStringLiteral("同类软件过多可能互相冲突，建议精简至 1-2 个"));
    }

    void testBrowserFamilyCountsOnce_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("detail");
        const QString edge = QStringLiteral("Microsoft Edge");
        const QString update = QStringLiteral("Microsoft Edge Update");
        const QString webView = QStringLiteral("Microsoft Edge WebView2 Runtime");
        const QString chrome = QStringLiteral("Google Chrome");
        const QString firefox = QStringLiteral("Mozilla Firefox (x64 zh-CN)");
        QTest::addRow("stock Windows 10") << QStringList{update, edge, webView} << QString();
        QTest::addRow("Edge under both machine keys") << QStringList{edge, webView, edge} << QString();
        QTest::addRow("Edge family and two other browsers")
            << QStringList{update, chrome, edge, webView, firefox}
            << QStringLiteral("Microsoft Edge、Google Chrome、Mozilla Firefox");
        QTest::addRow("a name that only holds the word is no family member")
            << QStringList{edge, webView, QStringLiteral("EdgeCam Viewer"), QStringLiteral("搜狗高速浏览器")}
            << QStringLiteral("Microsoft Edge、EdgeCam Viewer、搜狗高速浏览器");
    }

    void testBrowserFamilyCountsOnce()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, detail);
        QVector<ConflictAdvice> conflicts;
        ConflictAnalyzer::adviseOverlap(conflicts, installed);
        QCOMPARE(conflicts.size(), detail.isEmpty() ? 0 : 1);
        if (detail.isEmpty())
            return;
        QCOMPARE(conflicts[0].title, QStringLiteral("检测到 3 个同类软件：浏览器"));
        QCOMPARE(conflicts[0].detail, detail);
    }

    void testProgramUnderBothMachineKeysCountsTwice()
    {
        const auto conflicts = analyse(programs({{hklm("7z"), "7-Zip 22.01"}, {wow("7z"), "7-Zip 22.01"}, {hklm("rar"), "WinRAR"}}));
        QCOMPARE(conflicts.size(), 1);
        QCOMPARE(conflicts[0].title, QStringLiteral("检测到 3 个同类软件：压缩软件"));
        QCOMPARE(conflicts[0].detail, QStringLiteral("7-Zip 22.01、WinRAR、7-Zip 22.01"));
    }

    void testKindsInTableOrderAndOneProgramInSeveralKinds()
    {
        const auto conflicts = analyse(programs({{hklm("1"), "360安全浏览器"},
                                                 {hklm("2"), "360压缩"},
                                                 {hklm("3"), "360杀毒"},
                                                 {hklm("4"), "Microsoft Edge"},
                                                 {hklm("5"), "搜狗高速浏览器"}}));
        QCOMPARE(conflicts.size(), 2);
        QCOMPARE(conflicts[0].title, QStringLiteral("检测到 3 个同类软件：安全卫士"));
        QCOMPARE(conflicts[1].title, QStringLiteral("检测到 3 个同类软件：浏览器"));
    }

    void testLowQualitySoftware()
    {
        AdwarePattern medium = lowPup(QStringLiteral("pup-2"), QStringLiteral("中"), QStringLiteral("Medium"));
        medium.riskLevel = QStringLiteral("medium");
        AdwarePattern adware = lowPup(QStringLiteral("adw-3"), QStringLiteral("广"), QStringLiteral("Adware"));
        adware.category = QStringLiteral("adware");
        AdwarePattern unnamed = lowPup(QStringLiteral("pup-4"), QString(), QStringLiteral("Quiet"));
        const SignatureDatabase db = AnalysisMachine::database(
            {lowPup(QStringLiteral("pup-1"), QStringLiteral("快压"), QStringLiteral("kuaizip")), medium, adware, unnamed});
        const auto conflicts = analyse(programs({{hklm("a"), "KuaiZip 3.0"}, {hklm("b"), "KuaiZip Helper"},
                                                 {hklm("c"), "Medium"}, {hklm("d"), "Adware"}, {hklm("e"), "quiet tool"}}),
                                       db);
        QCOMPARE(conflicts.size(), 2);
        QCOMPARE(conflicts[0].category, QStringLiteral("pup"));
        QCOMPARE(conflicts[0].title, QStringLiteral("检测到低质量软件：快压"));
        QCOMPARE(conflicts[0].detail, QStringLiteral("desc pup-1"));
        QCOMPARE(conflicts[0].suggestion, QStringLiteral("该软件可能捆绑广告或拖慢系统，建议在控制面板卸载"));
        QCOMPARE(conflicts[1].title, QStringLiteral("检测到低质量软件：Pup"));
    }

    void testLowQualityNeedsALoadedDatabaseAndRespectsTheWhitelist()
    {
        SignatureDatabase db = AnalysisMachine::database({lowPup(QStringLiteral("pup-1"), QStringLiteral("快压"), QStringLiteral("kuaizip"))});
        const nlohmann::json installed = programs({{hklm("a"), "KuaiZip"}});
        db.whitelistPatternIds = QStringList{QStringLiteral("pup-1")};
        QVERIFY(analyse(installed, db).isEmpty());
        db.whitelistPatternIds.clear();
        db.loaded = false;
        QVERIFY(analyse(installed, db).isEmpty());
    }

    void testRecordsComeInTheAnalysisOrder()
    {
        nlohmann::json extra = antivirus({"Windows Defender"});
        platform::sim::mergeProfile(extra, programs({{hklm("a"), "好压"}, {hklm("b"), "快压"}, {hklm("c"), "WinRAR"}}));
        const SignatureDatabase db = AnalysisMachine::database({lowPup(QStringLiteral("pup-1"), QStringLiteral("快压"), QStringLiteral("快压"))});
        const auto conflicts = analyse(extra, db);
        QCOMPARE(conflicts.size(), 3);
        QCOMPARE(conflicts[0].category, QStringLiteral("antivirus"));
        QCOMPARE(conflicts[1].category, QStringLiteral("overlap"));
        QCOMPARE(conflicts[2].category, QStringLiteral("pup"));
    }
};

QTEST_GUILESS_MAIN(TestConflictAnalyzer)
#include "TestConflictAnalyzer.moc"
