#include "analysis/BrowserFiles.h"

#include <QtTest>

// The readers of browser preference files, Firefox prefs.js and the hosts file, on normal and hostile input.
class TestBrowserFiles : public QObject {
    Q_OBJECT

private slots:
    void testJsonStringByKeyPath_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("value");
        QTest::addRow("nested string") << QByteArray("{\"a\": {\"b\": \"x\"}}") << QStringLiteral("x");
        QTest::addRow("final value not a string") << QByteArray("{\"a\": {\"b\": 5}}") << QString();
        QTest::addRow("intermediate not an object") << QByteArray("{\"a\": \"b\"}") << QString();
        QTest::addRow("missing member") << QByteArray("{\"a\": {}}") << QString();
        QTest::addRow("root not an object") << QByteArray("[\"a\"]") << QString();
        QTest::addRow("malformed") << QByteArray("{\"a\": {\"b\": \"x\"") << QString();
        QTest::addRow("empty file") << QByteArray() << QString();
        QTest::addRow("binary") << QByteArray("\x00\xff\xfe{\x01", 5) << QString();
    }

    void testJsonStringByKeyPath()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, value);
        QCOMPARE(BrowserFiles::jsonString(json, {QStringLiteral("a"), QStringLiteral("b")}), value);
    }

    void testChromiumHomepage_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("homepage");
        QTest::addRow("top-level string") << QByteArray("{\"homepage\": \"https://a.cn\"}") << QStringLiteral("https://a.cn");
        QTest::addRow("nested object") << QByteArray("{\"homepage\": {\"homepage\": \"https://b.cn\"}}")
                                       << QStringLiteral("https://b.cn");
        QTest::addRow("number") << QByteArray("{\"homepage\": 3}") << QString();
        QTest::addRow("nested number") << QByteArray("{\"homepage\": {\"homepage\": true}}") << QString();
        QTest::addRow("absent") << QByteArray("{\"session\": {}}") << QString();
    }

    void testChromiumHomepage()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, homepage);
        QCOMPARE(BrowserFiles::chromiumHomepage(json), homepage);
    }

    void testFirefoxHomepage_data()
    {
        QTest::addColumn<QByteArray>("prefs");
        QTest::addColumn<QString>("homepage");
        QTest::addRow("with blank") << QByteArray("user_pref(\"browser.startup.homepage\", \"https://x.cn\");\n")
                                    << QStringLiteral("https://x.cn");
        QTest::addRow("without blank") << QByteArray("user_pref(\"browser.startup.homepage\",\"about:home\");")
                                       << QStringLiteral("about:home");
        QTest::addRow("first of two") << QByteArray("user_pref(\"browser.startup.homepage\", \"a\");\n"
                                                    "user_pref(\"browser.startup.homepage\", \"b\");")
                                      << QStringLiteral("a");
        QTest::addRow("empty value") << QByteArray("user_pref(\"browser.startup.homepage\", \"\");") << QString();
        QTest::addRow("other pref") << QByteArray("user_pref(\"browser.startup.page\", 1);") << QString();
        QTest::addRow("unterminated") << QByteArray("user_pref(\"browser.startup.homepage\", \"abc") << QString();
        QTest::addRow("chinese address") << QByteArray("user_pref(\"browser.startup.homepage\", \"http://导航.cn\");")
                                         << QStringLiteral("http://导航.cn");
    }

    void testFirefoxHomepage()
    {
        QFETCH(QByteArray, prefs);
        QFETCH(QString, homepage);
        QCOMPARE(BrowserFiles::firefoxHomepage(prefs), homepage);
    }

    void testHostsLines_data()
    {
        QTest::addColumn<QByteArray>("hosts");
        QTest::addColumn<int>("count");
        QTest::addRow("name first after the address") << QByteArray("127.0.0.1 www.baidu.com\n") << 1;
        QTest::addRow("only the first name counts") << QByteArray("127.0.0.1 example.com www.baidu.com\n") << 0;
        QTest::addRow("commented line") << QByteArray("# 127.0.0.1 www.google.com\n") << 0;
        QTest::addRow("indented comment") << QByteArray("   #127.0.0.1 www.qq.com\n") << 0;
        QTest::addRow("upper-case name") << QByteArray("0.0.0.0 WWW.TAOBAO.COM\r\n") << 1;
        QTest::addRow("tabs and carriage returns") << QByteArray("1.2.3.4\tupdate.360.cn\r\n5.6.7.8\t\tfacebook.com\r\n") << 2;
        QTest::addRow("single word") << QByteArray("www.google.com\n") << 0;
        QTest::addRow("localhost") << QByteArray("127.0.0.1 localhost\n::1 localhost\n") << 0;
        QTest::addRow("empty") << QByteArray() << 0;
        QTest::addRow("binary") << QByteArray("\x00\x01\xff qq\n\xfe", 8) << 0;
    }

    void testHostsLines()
    {
        QFETCH(QByteArray, hosts);
        QFETCH(int, count);
        QCOMPARE(BrowserFiles::redirectedSiteLines(hosts), count);
    }

    void testLongLinesAreHandled()
    {
        QByteArray hosts = "1.1.1.1 " + QByteArray(1 << 20, 'q') + "\n";
        QCOMPARE(BrowserFiles::redirectedSiteLines(hosts), 1);
        QByteArray prefs = "user_pref(\"browser.startup.homepage\", \"" + QByteArray(1 << 20, 'x');
        QCOMPARE(BrowserFiles::firefoxHomepage(prefs), QString());
    }
};

QTEST_GUILESS_MAIN(TestBrowserFiles)
#include "TestBrowserFiles.moc"
