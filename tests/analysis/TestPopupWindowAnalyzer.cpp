#include "AnalysisMachine.h"

#include "analysis/PopupRules.h"
#include "analysis/PopupWindowAnalyzer.h"

#include <QtTest>

using AnalysisMachine::file;
using AnalysisMachine::profile;

// The pop-up window analysis on simulated machines, and its pure rules.
class TestPopupWindowAnalyzer : public QObject {
    Q_OBJECT

private:
    static nlohmann::json process(int pid, const std::string& path)
    {
        const std::string name = path.substr(path.find_last_of('\\') + 1);
        return {{"pid", pid}, {"name", name}, {"imagePath", path}};
    }

    static nlohmann::json window(int pid, const std::string& title, const std::string& className = "AppWnd")
    {
        return {{"pid", pid}, {"title", title}, {"className", className}};
    }

    static QVector<PopupWindowItem> analyse(const nlohmann::json& extra, const SignatureDatabase& db = SignatureDatabase())
    {
        TestMachine machine(profile(extra));
        QVector<PopupWindowItem> popups;
        PopupWindowAnalyzer(machine.platform(), db).run(popups);
        return popups;
    }

private slots:
    void testUnsignedProgramWindowIsReported()
    {
        const auto popups = analyse({{"processes", {process(50, "C:\\Ads\\popup.exe")}},
                                     {"files", {file("C:\\Ads\\popup.exe")}},
                                     {"windows", {window(50, "  每日精选  ")}}});
        QCOMPARE(popups.size(), 1);
        QCOMPARE(popups[0].processName, QStringLiteral("popup.exe"));
        QCOMPARE(popups[0].windowTitle, QStringLiteral("每日精选"));
        QCOMPARE(popups[0].pid, 50);
        QVERIFY(!popups[0].isSigned);
        QVERIFY(popups[0].isSuspicious);
        QCOMPARE(popups[0].reason, QStringLiteral("无有效数字签名"));
    }

    void testSignedAdvertisingWindowIsNeverReported()
    {
        const auto popups = analyse({{"processes", {process(51, "C:\\Music\\player.exe")}},
                                     {"files", {file("C:\\Music\\player.exe")}},
                                     {"security", {{"signedFiles", {"C:\\Music\\player.exe"}}}},
                                     {"windows", {window(51, "限时广告 - 领红包")}}});
        QVERIFY(popups.isEmpty());
    }

    // Windows' console host carries no signature of its own; a security catalog lists it.
    void testCatalogSignedConsoleHostIsNeverReported()
    {
        const auto popups = analyse({{"processes", {process(55, "C:\\Windows\\System32\\conhost.exe")}},
                                     {"files", {file("C:\\Windows\\System32\\conhost.exe")}},
                                     {"security", {{"catalogSignedFiles", {"C:\\Windows\\System32\\conhost.exe"}}}},
                                     {"windows", {window(55, "C:\\Windows\\cmd.exe", "ConsoleWindowClass")}}});
        QVERIFY(popups.isEmpty());
    }

    void testTemporaryFolderProgramGetsTheSignatureReason()
    {
        const auto popups = analyse({{"processes", {process(52, "C:\\Users\\Lenovo\\AppData\\Local\\Temp\\x\\ad.exe")}},
                                     {"windows", {window(52, "hello")}}});
        QCOMPARE(popups.size(), 1);
        QCOMPARE(popups[0].reason, QStringLiteral("无有效数字签名"));
    }

    void testUnknownImagePathKeepsTheAdvertisingReason()
    {
        const auto popups = analyse({{"processes", {{{"pid", 53}, {"name", "hidden.exe"}, {"protected", true}}}},
                                     {"windows", {window(53, "Sponsored 优惠券"), window(53, "plain title")}}});
        QCOMPARE(popups.size(), 1);
        QCOMPARE(popups[0].processName, QString());
        QCOMPARE(popups[0].reason, QStringLiteral("标题含广告/推广特征"));
    }

    void testWindowsThatAreNeverExamined()
    {
        nlohmann::json hidden = window(54, "invisible");
        hidden["visible"] = false;
        nlohmann::json tool = window(54, "tool");
        tool["toolWindow"] = true;
        const auto popups = analyse({{"processes", {process(54, "C:\\Ads\\popup.exe"), {{"pid", 7}, {"name", "tidewell.exe"}, {"self", true}}}},
                                     {"windows",
                                      {hidden, tool, window(54, "tray", "Shell_TrayWnd"), window(54, "desk", "WorkerW"),
                                       window(54, "   "), window(0, "no process"), window(7, "own window")}}});
        QVERIFY(popups.isEmpty());
    }

    void testTrustedPrefixesInAnyCase_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addRow("wechat") << QStringLiteral("C:\\A\\WeChatApp.exe");
        QTest::addRow("win") << QStringLiteral("C:\\A\\WINWORD.EXE");
        QTest::addRow("qq") << QStringLiteral("C:\\A\\QQBrowser.exe");
        QTest::addRow("explorer") << QStringLiteral("C:\\A\\Explorer.EXE");
    }

    void testTrustedPrefixesInAnyCase()
    {
        QFETCH(QString, image);
        const auto popups = analyse({{"processes", {process(55, image.toStdString())}}, {"windows", {window(55, "广告")}}});
        QVERIFY(popups.isEmpty());
    }

    void testWhitelistedProcessNameIsSkipped()
    {
        SignatureDatabase db;
        db.whitelistProcessNames = QStringList{QStringLiteral("GOODTOOL")};
        const auto popups = analyse({{"processes", {process(56, "C:\\A\\goodtool64.exe")}}, {"windows", {window(56, "x")}}}, db);
        QVERIFY(popups.isEmpty());
    }

    void testAtMostThirtyInEnumerationOrder()
    {
        nlohmann::json windows = nlohmann::json::array();
        for (int i = 0; i < 31; ++i)
            windows.push_back(window(57, "pop " + std::to_string(i)));
        const auto popups = analyse({{"processes", {process(57, "C:\\Ads\\popup.exe")}}, {"windows", windows}});
        QCOMPARE(popups.size(), 30);
        QCOMPARE(popups.first().windowTitle, QStringLiteral("pop 0"));
        QCOMPARE(popups.last().windowTitle, QStringLiteral("pop 29"));
    }

    void testFailedEnumerationAddsNothing()
    {
        QVERIFY(analyse({{"windowsEnumerationFails", true}, {"processes", {process(58, "C:\\a.exe")}},
                         {"windows", {window(58, "x")}}})
                    .isEmpty());
    }

    void testAdvertisingTitles_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("advertising");
        QTest::addRow("chinese word") << QStringLiteral("新游戏上线") << true;
        QTest::addRow("english in capitals") << QStringLiteral("ADVERTISEMENT") << true;
        QTest::addRow("coupon") << QStringLiteral("Your Coupon") << true;
        QTest::addRow("download") << QStringLiteral("正在下载") << true;
        QTest::addRow("plain") << QStringLiteral("记事本") << false;
    }

    void testAdvertisingTitles()
    {
        QFETCH(QString, title);
        QFETCH(bool, advertising);
        QCOMPARE(PopupRules::isAdvertisingTitle(title), advertising);
    }

    void testReasonRules()
    {
        using Verdict = FileTrust::Verdict;
        QCOMPARE(PopupRules::reason(QStringLiteral("C:\\Temp\\a.exe"), QStringLiteral("x"), Verdict::Unsigned),
                 QStringLiteral("无有效数字签名"));
        QCOMPARE(PopupRules::reason(QString(), QStringLiteral("x"), Verdict::Unsigned), QString());
        QCOMPARE(PopupRules::reason(QString(), QStringLiteral("中奖"), Verdict::Unsigned),
                 QStringLiteral("标题含广告/推广特征"));
        QCOMPARE(PopupRules::reason(QStringLiteral("C:\\a.exe"), QStringLiteral("中奖"), Verdict::Signed), QString());
        QCOMPARE(PopupRules::reason(QStringLiteral("C:\\Temp\\a.exe"), QStringLiteral("x"), Verdict::Unknown),
                 QStringLiteral("从临时目录运行"));
    }
};

QTEST_GUILESS_MAIN(TestPopupWindowAnalyzer)
#include "TestPopupWindowAnalyzer.moc"
