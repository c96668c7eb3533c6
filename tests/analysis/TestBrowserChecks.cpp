#include "AnalysisMachine.h"

#include "analysis/BrowserChecks.h"

#include <QtTest>

using AnalysisMachine::folder;
using AnalysisMachine::profile;
using AnalysisMachine::textFile;

// The browser and network checks on simulated machines.
class TestBrowserChecks : public QObject {
    Q_OBJECT

private:
    static constexpr const char* kLocal = "C:\\Users\\Lenovo\\AppData\\Local";
    static constexpr const char* kRoaming = "C:\\Users\\Lenovo\\AppData\\Roaming";

    static QVector<BrowserCheckItem> check(const nlohmann::json& extra)
    {
        TestMachine machine(profile(extra));
        QVector<BrowserCheckItem> items;
        BrowserChecks(machine.platform()).run(items);
        return items;
    }

    static nlohmann::json chromePreferences(const std::string& json)
    {
        return {{"files", {textFile(std::string(kLocal) + "\\Google\\Chrome\\User Data\\Default\\Preferences", json)}}};
    }

    static nlohmann::json extensions(const char* browserFolder, int count)
    {
        nlohmann::json files = nlohmann::json::array();
        for (int i = 0; i < count; ++i)
            files.push_back(folder(std::string(kLocal) + browserFolder + "\\Extensions\\ext" + std::to_string(i)));
        return {{"files", files}};
    }

private slots:
    void testCleanMachineHasNoRecords() { QVERIFY(check({}).isEmpty()); }

    void testChromeHomepageAndSearch_data()
    {
        QTest::addColumn<QString>("preferences");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("homepageAbnormal");
        QTest::addColumn<bool>("searchAbnormal");
        QTest::addRow("well-known")
            << QStringLiteral("{\"homepage\": \"https://www.google.com\", \"default_search_provider\": {\"keyword\": \"google.com\"}}")
            << 2 << false << false;
        QTest::addRow("hijacked")
            << QStringLiteral("{\"homepage\": \"http://www.2345.com\", \"default_search_provider\": {\"keyword\": \"so.360.cn\"}}")
            << 2 << true << true;
        QTest::addRow("capitalised names are abnormal")
            << QStringLiteral("{\"homepage\": \"http://Google.com\", \"default_search_provider\": {\"keyword\": \"Baidu\"}}")
            << 2 << true << true;
        QTest::addRow("nested homepage")
            << QStringLiteral("{\"homepage\": {\"homepage\": \"https://cn.bing.com\"}, \"default_search_provider\": {\"keyword\": \"sogou\"}}")
            << 2 << false << false;
    }

    void testChromeHomepageAndSearch()
    {
        QFETCH(QString, preferences);
        QFETCH(int, records);
        QFETCH(bool, homepageAbnormal);
        QFETCH(bool, searchAbnormal);
        const auto items = check(chromePreferences(preferences.toStdString()));
        QCOMPARE(items.size(), records);
        QCOMPARE(items[0].scope, QStringLiteral("Chrome"));
        QCOMPARE(items[0].item, QStringLiteral("首页"));
        QCOMPARE(items[0].expected, QStringLiteral("浏览器默认首页"));
        QCOMPARE(items[0].abnormal, homepageAbnormal);
        QVERIFY(items[0].note.isEmpty());
        QCOMPARE(items[1].item, QStringLiteral("搜索引擎"));
        QCOMPARE(items[1].expected, QStringLiteral("常用搜索引擎"));
        QCOMPARE(items[1].abnormal, searchAbnormal);
    }

    void testLongHomepageIsCutTo120Characters()
    {
        const std::string homepage = "http://" + std::string(114, 'a');
        QCOMPARE(homepage.size(), std::size_t(121));
        const auto items = check(chromePreferences("{\"homepage\": \"" + homepage + "\"}"));
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].value.size(), 120);
        QCOMPARE(items[0].value, QString::fromStdString(homepage.substr(0, 120)));
    }

    void testHostilePreferencesAddNothing()
    {
        QVERIFY(check(chromePreferences("{\"homepage\": [1, 2], \"default_search_provider\": \"x\"")).isEmpty());
        QVERIFY(check(chromePreferences(std::string("\0\xff\xfe", 3))).isEmpty());
    }

    void testPolicyHomepagesFromBothHives()
    {
        const auto items = check({{"registry",
                                   {{"HKLM\\SOFTWARE\\Policies\\Microsoft\\Edge", {{"HomepageLocation", "https://www.bing.com"}}},
                                    {"HKCU\\SOFTWARE\\Policies\\Microsoft\\Edge", {{"HomepageLocation", "http://hao.360.com"}}}}}});
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0].scope, QStringLiteral("Edge"));
        QCOMPARE(items[0].item, QStringLiteral("组策略-首页"));
        QCOMPARE(items[0].expected, QStringLiteral("浏览器默认"));
        QVERIFY(!items[0].abnormal);
        QCOMPARE(items[1].value, QStringLiteral("http://hao.360.com"));
        QVERIFY(items[1].abnormal);
    }

    void testTwoFirefoxProfilesGiveTwoRecords()
    {
        const std::string profiles = std::string(kRoaming) + "\\Mozilla\\Firefox\\Profiles\\";
        const auto items = check(
            {{"files",
              {textFile(profiles + "a.default\\prefs.js", "user_pref(\"browser.startup.homepage\", \"about:home\");"),
               textFile(profiles + "b.dev\\prefs.js", "user_pref(\"browser.startup.homepage\", \"http://hao123.com\");"),
               folder(profiles + "c.empty")}}});
        QCOMPARE(items.size(), 2);
        int abnormal = 0;
        for (const BrowserCheckItem& item : items) {
            QCOMPARE(item.scope, QStringLiteral("Firefox"));
            QCOMPARE(item.item, QStringLiteral("首页"));
            QCOMPARE(item.expected, QStringLiteral("浏览器默认"));
            abnormal += item.abnormal ? 1 : 0;
        }
        QCOMPARE(abnormal, 1);
    }

    void testProxy_data()
    {
        QTest::addColumn<int>("enabled");
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("records");
        QTest::addRow("enabled with a server") << 1 << QStringLiteral("127.0.0.1:8899") << 1;
        QTest::addRow("enabled with an empty server") << 1 << QString() << 0;
        QTest::addRow("disabled") << 0 << QStringLiteral("127.0.0.1:8899") << 0;
    }

    void testProxy()
    {
        QFETCH(int, enabled);
        QFETCH(QString, server);
        QFETCH(int, records);
        const auto items = check({{"registry",
                                   {{"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                                     {{"ProxyEnable", enabled}, {"ProxyServer", server.toStdString()}}}}}});
        QCOMPARE(items.size(), records);
        if (records == 0)
            return;
        QCOMPARE(items[0].scope, QStringLiteral("系统级"));
        QCOMPARE(items[0].item, QStringLiteral("代理设置"));
        QCOMPARE(items[0].value, server);
        QCOMPARE(items[0].expected, QStringLiteral("无代理"));
        QVERIFY(items[0].abnormal);
        QCOMPARE(items[0].note, QStringLiteral("系统代理已启用，可能是全局代理或劫持"));
    }

    void testHostsRedirections()
    {
        const auto items = check({{"files",
                                   {textFile("C:\\Windows\\System32\\drivers\\etc\\hosts",
                                             "# 127.0.0.1 www.google.com\n127.0.0.1 localhost\n"
                                             "1.2.3.4 www.baidu.com\n1.2.3.4 example.com www.qq.com\n0.0.0.0 s.360.cn\n")}}});
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].scope, QStringLiteral("系统级"));
        QCOMPARE(items[0].item, QStringLiteral("Hosts文件"));
        QCOMPARE(items[0].value, QStringLiteral("2 条常见站点被重定向"));
        QCOMPARE(items[0].expected, QStringLiteral("无异常条目"));
        QVERIFY(items[0].abnormal);
    }

    void testExtensionCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("records");
        QTest::addRow("15") << 15 << 0;
        QTest::addRow("16") << 16 << 1;
    }

    void testExtensionCount()
    {
        QFETCH(int, count);
        QFETCH(int, records);
        nlohmann::json extra = extensions("\\Microsoft\\Edge\\User Data\\Default", count);
        extra["files"].push_back(AnalysisMachine::file(std::string(kLocal) + "\\Microsoft\\Edge\\User Data\\Default\\Extensions\\x.txt"));
        const auto items = check(extra);
        QCOMPARE(items.size(), records);
        if (records == 0)
            return;
        QCOMPARE(items[0].scope, QStringLiteral("Edge"));
        QCOMPARE(items[0].item, QStringLiteral("扩展数量"));
        QCOMPARE(items[0].value, QStringLiteral("%1 个").arg(count));
        QCOMPARE(items[0].expected, QStringLiteral("≤15 个"));
        QCOMPARE(items[0].note, QStringLiteral("浏览器扩展数量异常偏多，可能存在捆绑扩展"));
    }

    void testRecordsComeInTheCheckOrder()
    {
        nlohmann::json extra = extensions("\\Google\\Chrome\\User Data\\Default", 20);
        extra["files"].push_back(textFile(std::string(kLocal) + "\\Microsoft\\Edge\\User Data\\Default\\Preferences",
                                          "{\"homepage\": \"x\"}"));
        extra["files"].push_back(textFile("C:\\Windows\\System32\\drivers\\etc\\hosts", "1.1.1.1 google.com\n"));
        const auto items = check(extra);
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0].item, QStringLiteral("首页"));
        QCOMPARE(items[1].item, QStringLiteral("Hosts文件"));
        QCOMPARE(items[2].item, QStringLiteral("扩展数量"));
    }

    void testAddCheckDropsNormalEmptyValues()
    {
        QVector<BrowserCheckItem> items;
        BrowserChecks::addCheck(items, QStringLiteral("Chrome"), QStringLiteral("首页"), QString(), QStringLiteral("e"), false);
        QVERIFY(items.isEmpty());
        BrowserChecks::addCheck(items, QStringLiteral("Chrome"), QStringLiteral("首页"), QString(), QStringLiteral("e"), true);
        QCOMPARE(items.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestBrowserChecks)
#include "TestBrowserChecks.moc"
