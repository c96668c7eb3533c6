#include "ui/result/ResultPage.h"
#include "ui/result/ResultRules.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString text(const ResultPage& page, const char* name)
{
    return page.findChild<QLabel*>(QLatin1String(name))->text();
}

BrowserCheckItem browser(bool abnormal)
{
    BrowserCheckItem item;
    item.scope = QStringLiteral("Edge");
    item.item = QStringLiteral("搜索引擎");
    item.value = QStringLiteral("bing.com");
    item.abnormal = abnormal;
    return item;
}

StartupScanItem startup(int riskLevel, bool canDisable, bool hijacked)
{
    StartupScanItem item;
    item.name = QStringLiteral("x");
    item.riskLevel = riskLevel;
    item.canDisable = canDisable;
    item.hijacked = hijacked;
    return item;
}

ScanReportBundle storageReport()
{
    ScanReportBundle report;
    report.fastStartupEnabled = false;
    report.keepHibernation = false;
    report.fastStartupReason = QStringLiteral("机械硬盘");
    report.hibernationReason = QStringLiteral("空间不足");
    report.pagefileAdvice = QStringLiteral("保持系统自动管理");
    report.restoreAdvice = QStringLiteral("保持系统还原");
    report.hibernationTurnedOff = true;
    report.storageFreedMB = 3072;
    return report;
}

} // namespace

class TestResultPage : public QObject {
    Q_OBJECT

private slots:
    void testHealthScore_data()
    {
        QTest::addColumn<int>("cleaned");
        QTest::addColumn<int>("memory");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("score");
        QTest::addRow("nothing") << 0 << 0 << 0 << 85;
        QTest::addRow("just below every step") << 499 << 199 << 199 << 85;
        QTest::addRow("one step each") << 500 << 200 << 200 << 88;
        QTest::addRow("demonstration figures") << 1520 << 450 << 1286 << 96;
        QTest::addRow("13 points") << 6500 << 0 << 0 << 98;
        QTest::addRow("capped at 14") << 10000 << 5000 << 0 << 99;
    }

    void testHealthScore()
    {
        QFETCH(int, cleaned);
        QFETCH(int, memory);
        QFETCH(int, files);
        QFETCH(int, score);
        QCOMPARE(ResultRules::healthScore(cleaned, memory, files), score);
        ResultPage page;
        page.setResults(cleaned, memory, files, 0, 0);
        QCOMPARE(page.healthScore(), score);
    }

    void testFiguresCountUpOnAVisiblePage()
    {
        ResultPage page;
        page.show();
        page.setResults(1000, 300, 40, 7, 2);
        QCOMPARE(page.animationProgress(), 0);
        QCOMPARE(text(page, "healthScore"), QStringLiteral("0"));
        for (int step = 0; step < 25; ++step)
            page.animateNumbers();
        QCOMPARE(page.animationProgress(), 50);
        QCOMPARE(text(page, "cardValue1"), QStringLiteral("500 MB"));
        QCOMPARE(text(page, "cardValue3"), QStringLiteral("20 个"));
        // Phase 1 switches nothing off: the fourth figure is an estimate and says so.
        QCOMPARE(text(page, "cardValue4"), QStringLiteral("约 3 秒"));
        QCOMPARE(text(page, "cardDesc4"), QStringLiteral("预计可提速"));
        QTRY_COMPARE(page.animationProgress(), 100);
        QCOMPARE(text(page, "healthScore"), QStringLiteral("88"));
        QCOMPARE(text(page, "cardValue2"), QStringLiteral("300 MB"));
        QCOMPARE(text(page, "cardValue4"), QStringLiteral("约 7 秒"));
        QVERIFY(page.findChild<QWidget*>(QStringLiteral("startupBar"))->isHidden());
    }

    void testFindingCardsCountAndHide()
    {
        ScanReportBundle report;
        report.startupItems = {startup(1, true, false), startup(2, true, true), startup(0, true, false),
                               startup(2, false, false)};
        // Normal browser records are part of the report too; only abnormal ones are hijacks.
        report.browserItems = {browser(false), browser(false), browser(true)};
        ResultPage page;
        page.setReport(report);
        const QString expected[][2] = {{"cardStartup", "2 个"}, {"cardBhj", "1 个"}};
        for (const auto& row : expected) {
            auto* card = page.findChild<QPushButton*>(row[0]);
            QVERIFY(!card->isHidden());
            QCOMPARE(card->findChild<QLabel*>(row[0] + QStringLiteral("Value"))->text(), row[1]);
        }
        QVERIFY(page.findChild<QPushButton*>(QStringLiteral("cardAdw"))->isHidden());
        QVERIFY(page.findChild<QPushButton*>(QStringLiteral("cardPop"))->isHidden());

        report.browserItems = {browser(false)};
        page.setReport(report);
        QVERIFY(page.findChild<QPushButton*>(QStringLiteral("cardBhj"))->isHidden());
        QVERIFY(!page.findChild<QWidget*>(QStringLiteral("promptRow"))->isHidden());
    }

    void testCardsLeadToTheirGroups()
    {
        ResultPage page;
        QSignalSpy cards(&page, &ResultPage::cardClicked);
        QSignalSpy phase2(&page, &ResultPage::phase2Clicked);
        const char* const names[] = {"cardStartup", "cardAdw", "cardBhj", "cardPop"};
        for (const char* name : names)
            page.findChild<QPushButton*>(QLatin1String(name))->click();
        QCOMPARE(cards.size(), 4);
        const int groups[] = {4, 5, 5, 5};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(cards.at(i).at(0).toInt(), groups[i]);
        page.findChild<QPushButton*>(QStringLiteral("phase2EntryBtn"))->click();
        QCOMPARE(phase2.size(), 1);
    }

    void testCaptionsAreReadableInTheDarkTheme()
    {
        ResultPage page;
        page.applyTheme(0);
        const QList<QLabel*> captions = page.findChildren<QLabel*>(QStringLiteral("findingCaption"));
        QCOMPARE(captions.size(), 4);
        for (QLabel* label : captions + QList<QLabel*>{page.findChild<QLabel*>(QStringLiteral("healthTitle"))}) {
            label->ensurePolished();
            QVERIFY(label->palette().color(QPalette::WindowText).lightness() > 100);
        }
    }

    void testStorageAdvice()
    {
        const ScanReportBundle report = storageReport();
        QCOMPARE(ResultRules::storageAdvice(report),
                 QStringLiteral("💾 存储优化建议：\n· 不建议启用快速启动（机械硬盘）\n· 建议关闭休眠（空间不足）\n"
                                "· 虚拟内存：保持系统自动管理\n· 系统还原：保持系统还原\n· 本次关闭休眠释放约 3072 MB"));
        ResultPage page;
        page.setReport(report);
        auto* card = page.findChild<QWidget*>(QStringLiteral("storageCard"));
        QVERIFY(card && !card->isHidden());
        auto* label = page.findChild<QLabel*>(QStringLiteral("storageCardText"));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), ResultRules::storageAdvice(report));

        ScanReportBundle noDecision = report;
        noDecision.fastStartupReason.clear();
        noDecision.hibernationReason.clear();
        QVERIFY(ResultRules::storageAdvice(noDecision).isEmpty());
        page.setReport(noDecision);
        QVERIFY(card->isHidden());
    }
};

QTEST_MAIN(TestResultPage)
#include "TestResultPage.moc"
