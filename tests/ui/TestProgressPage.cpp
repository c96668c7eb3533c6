#include "ui/progress/ProgressPage.h"
#include "ui/widgets/CircularProgressBar.h"
#include "ui/widgets/SphereTagCloud.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {

QVector<int> states(const ProgressPage& page)
{
    QVector<int> result;
    for (int i = 0; i < page.tagCloud()->tagCount(); ++i)
        result.append(page.tagCloud()->tagAt(i).state);
    return result;
}

QVector<int> expectedStates(int done, int justDone, int current)
{
    QVector<int> result(20, 0);
    for (int i = 0; i < done; ++i)
        result[i] = 3;
    if (justDone >= 0)
        result[justDone] = 2;
    if (current >= 0)
        result[current] = 1;
    return result;
}

QString text(const ProgressPage& page, const char* name)
{
    return page.findChild<QLabel*>(QLatin1String(name))->text();
}

} // namespace

class TestProgressPage : public QObject {
    Q_OBJECT

private slots:
    void testStartsWithItsInitialTexts()
    {
        ProgressPage page;
        QCOMPARE(page.objectName(), QStringLiteral("ProgressPage"));
        QCOMPARE(page.windowTitle(), QStringLiteral("正在优化"));
        QCOMPARE(text(page, "centerPercent"), QStringLiteral("0%"));
        QCOMPARE(text(page, "stepTitle"), QStringLiteral("正在清理系统垃圾..."));
        QCOMPARE(text(page, "stepDesc"), QStringLiteral("正在安全地移除临时文件、浏览器缓存和无用日志"));
        QCOMPARE(text(page, "tipLabel"), QStringLiteral("临时文件会悄悄占用大量磁盘空间。"));
        QCOMPARE(page.tagCloud()->tagCount(), 20);
        QCOMPARE(page.tagCloud()->tagAt(0).text, QStringLiteral("垃圾文件"));
        QCOMPARE(page.tagCloud()->tagAt(19).text, QStringLiteral("错误报告"));
        QCOMPARE(page.ring()->penWidth(), 16);
        QCOMPARE(page.ring()->geometry(), QRect(0, 0, 420, 420));
        QCOMPARE(page.tagCloud()->geometry(), QRect(20, 20, 380, 380));
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("centerPercent"))->geometry(), QRect(110, 150, 200, 120));
    }

    void testTagLighting_data()
    {
        QTest::addColumn<QVector<int>>("percents");
        QTest::addColumn<QVector<int>>("expected");
        QTest::addColumn<int>("nextIndex");
        QTest::addRow("0 %% lights the first word") << QVector<int>{0} << expectedStates(0, -1, 0) << 1;
        QTest::addRow("50 %% from a fresh start") << QVector<int>{50} << expectedStates(9, 9, 10) << 11;
        QTest::addRow("0 to 100 in one update") << QVector<int>{0, 100} << expectedStates(18, 18, 19) << 20;
        QTest::addRow("100 %% straight away") << QVector<int>{100} << expectedStates(18, 18, 19) << 20;
        QTest::addRow("steps of a run") << QVector<int>{0, 5, 10, 30} << expectedStates(5, 5, 6) << 7;
        QTest::addRow("percent above 100 is clamped") << QVector<int>{250} << expectedStates(18, 18, 19) << 20;
        QTest::addRow("negative percent is clamped") << QVector<int>{-20} << expectedStates(0, -1, 0) << 1;
        QTest::addRow("going back lights nothing new") << QVector<int>{50, 20} << expectedStates(9, 9, 10) << 11;
    }

    void testTagLighting()
    {
        QFETCH(QVector<int>, percents);
        QFETCH(QVector<int>, expected);
        QFETCH(int, nextIndex);
        ProgressPage page;
        for (int percent : percents)
            page.onProgressUpdate(1, percent, QString());
        QCOMPARE(states(page), expected);
        QCOMPARE(page.nextTagIndex(), nextIndex);
    }

    void testHalfWayShowsHalfARing()
    {
        ProgressPage page;
        page.onProgressUpdate(3, 50, QString());
        QCOMPARE(page.ring()->value(), 50);
        QCOMPARE(text(page, "centerPercent"), QStringLiteral("50%"));
    }

    void testLabelShowsTheRawPercent()
    {
        ProgressPage page;
        page.onProgressUpdate(1, 130, QString());
        QCOMPARE(page.ring()->value(), 100);
        QCOMPARE(text(page, "centerPercent"), QStringLiteral("130%"));
    }

    void testStepTexts_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("desc");
        QTest::addColumn<QString>("tip");
        QTest::addRow("0") << 0 << QStringLiteral("🔍 正在检查您的电脑...")
                           << QStringLiteral("看看是什么系统版本，检查电源和磁盘...")
                           << QStringLiteral("优化过程安全无毒，请放心。");
        QTest::addRow("2") << 2 << QStringLiteral("⚡ 正在关掉后台偷偷跑的程序")
                           << QStringLiteral("把占着内存不用的程序关掉")
                           << QStringLiteral("您正在用的程序不会关，放心。");
        QTest::addRow("6") << 6 << QStringLiteral("⚡ 正在关掉开机自动跑的没用软件")
                           << QStringLiteral("看看哪些软件一开机就自己启动占资源")
                           << QStringLiteral("关掉后开机更快，想用的时候再点开就行。");
    }

    void testStepTexts()
    {
        QFETCH(int, step);
        QFETCH(QString, title);
        QFETCH(QString, desc);
        QFETCH(QString, tip);
        ProgressPage page;
        page.onProgressUpdate(step, 10, QString());
        QCOMPARE(text(page, "stepTitle"), title);
        QCOMPARE(text(page, "stepDesc"), desc);
        QCOMPARE(text(page, "tipLabel"), tip);
    }

    void testStatusTextReplacesTheTitle()
    {
        ProgressPage page;
        page.onProgressUpdate(1, 10, QStringLiteral("正在清理系统缓存..."));
        QCOMPARE(text(page, "stepTitle"), QStringLiteral("正在清理系统缓存..."));
        QCOMPARE(text(page, "stepDesc"), QStringLiteral("正在扫描电脑里的垃圾文件..."));
        page.onProgressUpdate(1, 12, QStringLiteral("还在清理..."));
        QCOMPARE(text(page, "stepTitle"), QStringLiteral("还在清理..."));
    }

    void testSameStepWithEmptyStatusChangesNoText()
    {
        ProgressPage page;
        page.onProgressUpdate(2, 30, QStringLiteral("正在整理闲置内存..."));
        page.onProgressUpdate(2, 35, QString());
        QCOMPARE(text(page, "stepTitle"), QStringLiteral("正在整理闲置内存..."));
        QCOMPARE(text(page, "stepDesc"), QStringLiteral("把占着内存不用的程序关掉"));
        QCOMPARE(text(page, "tipLabel"), QStringLiteral("您正在用的程序不会关，放心。"));
    }

    void testStepOutsideTheTableKeepsTheTexts()
    {
        ProgressPage page;
        page.onProgressUpdate(4, 65, QString());
        page.onProgressUpdate(9, 70, QString());
        QCOMPARE(text(page, "stepTitle"), QStringLiteral("🔍 正在保护您的隐私设置"));
        page.onProgressUpdate(-1, 70, QString());
        QCOMPARE(text(page, "stepDesc"), QStringLiteral("关掉不必要的隐私选项和广告追踪"));
    }

    void testThemeChangeMidRunRestartsTheLighting()
    {
        ProgressPage page;
        page.onProgressUpdate(3, 40, QString());
        page.applyTheme(0);
        QCOMPARE(states(page), QVector<int>(20, 0));
        QCOMPARE(page.nextTagIndex(), 0);
        QCOMPARE(page.ring()->value(), 40);
        QCOMPARE(text(page, "centerPercent"), QStringLiteral("40%"));
        QCOMPARE(page.ring()->progressColor(), QColor(QStringLiteral("#00C2FF")));
        QCOMPARE(page.ring()->trackColor(), QColor(QStringLiteral("#1E2433")));
        page.onProgressUpdate(3, 60, QString());
        QCOMPARE(states(page), expectedStates(11, 11, 12));
    }

    void testThemeColours_data()
    {
        QTest::addColumn<int>("themeIndex");
        QTest::addColumn<QString>("progress");
        QTest::addColumn<QString>("track");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("sheetParts");
        QTest::addRow("dark") << 0 << "#00C2FF" << "#1E2433" << "#E8ECF2"
                              << QStringList{"QWidget#ProgressPage { background-color: #080B14; }",
                                             "QLabel#stepTitle { color: #E8ECF2; font-size: 20px; font-weight: bold; }",
                                             "QLabel#stepDesc { color: #8B94A6; font-size: 14px; }",
                                             "QLabel#tipLabel { color: #535C6E; font-size: 13px; background-color: "
                                             "#141923; border-radius: 12px; padding: 10px 16px; }",
                                             "QLabel#centerPercent { color: #E8ECF2; }"};
        QTest::addRow("warm") << 1 << "#FF7A45" << "#F0D9BD" << "#2D1A08"
                              << QStringList{"QWidget#ProgressPage { background-color: #F5EDE0; }",
                                             "QLabel#stepTitle { color: #2D1A08; font-size: 24px; font-weight: bold; }",
                                             "QLabel#stepDesc { color: #5C3D22; font-size: 16px; }",
                                             "QLabel#tipLabel { color: #5C3D22; font-size: 15px; background-color: "
                                             "#FFF8EE; border-radius: 16px; padding: 12px 20px; }"};
        QTest::addRow("light") << 2 << "#1A73E8" << "#F7F9FC" << "#0F1520"
                               << QStringList{"QWidget#ProgressPage { background-color: #F0F2F8; }",
                                              "QLabel#stepTitle { color: #0F1520; font-size: 20px; "
                                              "font-weight: bold; }",
                                              "QLabel#tipLabel { color: #94A3B8; font-size: 13px; background-color: "
                                              "#F7F9FC; border-radius: 12px; padding: 10px 16px; }"};
    }

    void testThemeColours()
    {
        QFETCH(int, themeIndex);
        QFETCH(QString, progress);
        QFETCH(QString, track);
        QFETCH(QString, text);
        QFETCH(QStringList, sheetParts);
        ProgressPage page;
        page.applyTheme(themeIndex);
        QCOMPARE(page.ring()->progressColor(), QColor(progress));
        QCOMPARE(page.ring()->trackColor(), QColor(track));
        QCOMPARE(page.ring()->textColor(), QColor(text));
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("centerPercent"))->styleSheet(),
                 QStringLiteral("color: %1;").arg(text));
        for (const QString& part : sheetParts)
            QVERIFY2(page.styleSheet().contains(part), qPrintable(part));
    }

    void testUnknownThemeKeepsColoursButResetsTheWords()
    {
        ProgressPage page;
        page.applyTheme(1);
        const QString sheet = page.styleSheet();
        page.onProgressUpdate(1, 50, QString());
        page.applyTheme(5);
        QCOMPARE(page.styleSheet(), sheet);
        QCOMPARE(page.ring()->progressColor(), QColor(QStringLiteral("#FF7A45")));
        QCOMPARE(states(page), QVector<int>(20, 0));
    }

    void testDoneShowsFinalTextsAndHandsOverLater()
    {
        ProgressPage page;
        QSignalSpy handOver(&page, &ProgressPage::optimizationFinished);
        page.onProgressUpdate(6, 95, QStringLiteral("正在生成详细分析报告..."));
        page.onOptimizationDone();
        QCOMPARE(page.ring()->value(), 100);
        QCOMPARE(text(page, "centerPercent"), QStringLiteral("100%"));
        QCOMPARE(states(page), QVector<int>(20, 3));
        QCOMPARE(text(page, "stepTitle"), QStringLiteral("优化完成啦！"));
        QCOMPARE(text(page, "stepDesc"), QStringLiteral("电脑已经帮您收拾好了，现在用起来更流畅。"));
        QCOMPARE(text(page, "tipLabel"), QStringLiteral("建议您每隔一两个星期就点一次，电脑一直好用。"));
        QCOMPARE(handOver.count(), 0);
        QVERIFY(handOver.wait(10000));
        QCOMPARE(handOver.count(), 1);
    }

    void testSecondRunKeepsTheFullRingUntilItsFirstUpdate()
    {
        ProgressPage page;
        page.onProgressUpdate(6, 100, QString());
        page.onOptimizationDone();
        page.applyTheme(2);
        QCOMPARE(page.ring()->value(), 100);
        QCOMPARE(text(page, "centerPercent"), QStringLiteral("100%"));
        QCOMPARE(states(page), QVector<int>(20, 0));
        page.onProgressUpdate(0, 0, QStringLiteral("正在检查系统环境..."));
        QCOMPARE(page.ring()->value(), 0);
        QCOMPARE(states(page), expectedStates(0, -1, 0));
        // Step 6 was the last step of the first run; step 0 is new and brings its texts.
        QCOMPARE(text(page, "stepDesc"), QStringLiteral("看看是什么系统版本，检查电源和磁盘..."));
    }
};

QTEST_MAIN(TestProgressPage)
#include "TestProgressPage.moc"
