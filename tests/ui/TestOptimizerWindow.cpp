#include "WindowHarness.h"

#include "ui/dialogs/AboutDialog.h"
#include "ui/main/DemoSwitch.h"
#include "ui/progress/ProgressPage.h"
#include "update/VersionNumber.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QtTest>

// Collects the URLs the window asks the desktop to open, instead of starting a file manager or browser.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~UrlRecorder() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

namespace {

void sendMouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void drag(QWidget* window, const QPoint& from, const QPoint& by)
{
    sendMouse(window, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseMove, from + by, Qt::NoButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class TestOptimizerWindow : public QObject {
    Q_OBJECT

private slots:
    void testWindowShape()
    {
        WindowHarness h;
        Optimizer& w = *h.window;
        QCOMPARE(w.objectName(), QStringLiteral("Optimizer"));
        QCOMPARE(w.minimumSize(), QSize(860, 680));
        QCOMPARE(w.maximumSize(), QSize(860, 680));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tidewell"));
        QVERIFY(!w.windowIcon().isNull());
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("titleBar"))->height(), 44);
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("footerBar"))->height(), 36);
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("contentWidget"))->styleSheet(),
                 QStringLiteral("background: transparent;"));
        QCOMPARE(h.button(QStringLiteral("minBtn"))->size(), QSize(44, 32));
        QCOMPARE(h.button(QStringLiteral("closeBtn"))->size(), QSize(44, 32));
        QCOMPARE(h.button(QStringLiteral("runtimeBtn"))->minimumWidth(), 130);
        QCOMPARE(h.button(QStringLiteral("netFixBtn"))->height(), 40);
        QCOMPARE(h.button(QStringLiteral("kefuBtn"))->minimumSize(), QSize(64, 28));
        QCOMPARE(h.button(QStringLiteral("aboutBtn"))->minimumSize(), QSize(50, 28));
        QVERIFY(h.button(QStringLiteral("proModeBtn"))->isChecked());
        QVERIFY(!h.button(QStringLiteral("gameModeBtn"))->isChecked());
        QCOMPARE(h.label(QStringLiteral("appIcon"))->pixmap(Qt::ReturnByValue).size(), QSize(72, 72));
        QCOMPARE(h.label(QStringLiteral("footerLogo"))->pixmap(Qt::ReturnByValue).size(), QSize(20, 20));
        QVERIFY(w.findChild<ProgressPage*>()->isHidden());
    }

    void testTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addRow("safety") << "safetyLabel" << "🛡️ 永久免费 · 无广告 · 无病毒 · 安全认证 · 持续更新";
        QTest::addRow("title") << "titleLabel" << "Tidewell";
        QTest::addRow("subtitle") << "subtitleLabel" << "点一下就帮您收拾好电脑，用起来更流畅";
        QTest::addRow("start") << "startBtn" << "点我开始收拾电脑";
        QTest::addRow("tip") << "tipLabel"
                             << "✅ 安全无毒 · ✅ 不用安装 · ✅ 不绑乱七八糟的软件 · ✅ 不碰您的隐私 · ✅ 永久免费";
        QTest::addRow("game") << "gameModeBtn" << "🎮 游戏办公";
        QTest::addRow("elder") << "elderModeBtn" << "👴 长辈关怀";
        QTest::addRow("pro") << "proModeBtn" << "💻 电脑达人";
        QTest::addRow("runtime") << "runtimeBtn" << "📦 系统运行库修复";
        QTest::addRow("version") << "footerVersion" << version::kShown;
        QTest::addRow("kefu") << "kefuBtn" << "联系客服";
        QTest::addRow("huhangka") << "huhangkaBtn" << "护航卡";
        QTest::addRow("website") << "websiteBtn" << "官网";
        QTest::addRow("about") << "aboutBtn" << "关于";
        QTest::addRow("minimise") << "minBtn" << "—";
        QTest::addRow("close") << "closeBtn" << "✕";
    }

    void testTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        WindowHarness h;
        QLabel* label = h.label(name);
        QCOMPARE(label ? label->text() : h.button(name)->text(), text);
    }

    void testStartButtonSizeFollowsTheThemeOnlyOnShowAndResize()
    {
        WindowHarness h;
        Optimizer& w = *h.window;
        QPushButton* start = h.button(QStringLiteral("startBtn"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(start->size(), QSize(280, 52));
        w.setTheme(1);
        QCOMPARE(start->minimumSize(), QSize(280, 52));
        QResizeEvent resize(w.size(), w.size());
        QApplication::sendEvent(&w, &resize);
        QCOMPARE(start->minimumSize(), QSize(280, 56));
        QCOMPARE(start->maximumSize(), QSize(280, 56));
        w.setTheme(0);
        QCOMPARE(start->minimumSize(), QSize(280, 56));
        w.hide();
        w.show();
        QCOMPARE(start->minimumSize(), QSize(280, 52));
        QCOMPARE(start->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    }

    void testDraggingStartsOnlyOnTheTitleBar()
    {
        WindowHarness h;
        Optimizer& w = *h.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(100, 100);
        const QPoint start = w.pos();
        drag(&w, QPoint(300, 300), QPoint(40, 30));
        QCOMPARE(w.pos(), start);
        drag(&w, QPoint(300, 660), QPoint(40, 30));
        QCOMPARE(w.pos(), start);
        drag(&w, QPoint(300, 20), QPoint(40, 30));
        QTRY_COMPARE(w.pos(), start + QPoint(40, 30));
    }

    void testMovingWithoutAPressDoesNotDrag()
    {
        WindowHarness h;
        Optimizer& w = *h.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(100, 100);
        sendMouse(&w, QEvent::MouseButtonPress, QPoint(300, 20), Qt::RightButton, Qt::RightButton);
        sendMouse(&w, QEvent::MouseMove, QPoint(350, 60), Qt::NoButton, Qt::RightButton);
        QCOMPARE(w.pos(), QPoint(100, 100));
    }

    void testDemonstrationSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("demo");
        QTest::addRow("cs") << QStringList{"tidewell", "cs"} << true;
        QTest::addRow("--cs") << QStringList{"tidewell", "--cs"} << true;
        QTest::addRow("/cs") << QStringList{"tidewell", "/cs"} << true;
        QTest::addRow("any position") << QStringList{"tidewell", "-x", "/cs", "y"} << true;
        QTest::addRow("--CS is ordinary") << QStringList{"tidewell", "--CS"} << false;
        QTest::addRow("CS is ordinary") << QStringList{"tidewell", "CS"} << false;
        QTest::addRow("-cs is ordinary") << QStringList{"tidewell", "-cs"} << false;
        QTest::addRow("part of a word") << QStringList{"tidewell", "--css"} << false;
        QTest::addRow("none") << QStringList{"tidewell"} << false;
    }

    void testDemonstrationSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, demo);
        QCOMPARE(hasDemoSwitch(arguments), demo);
        WindowHarness h(arguments);
        QCOMPARE(h.window->isDemoMode(), demo);
    }

    void testDemonstrationSkipsAgreementRunAndUpdateCheck()
    {
        WindowHarness h({QStringLiteral("tidewell"), QStringLiteral("--cs")});
        h.window->show();
        QVERIFY(!h.window->isUpdateCheckScheduled());
        h.button(QStringLiteral("startBtn"))->click();
        QVERIFY(h.dialogTitles.isEmpty());
        QVERIFY(!h.window->phase1Thread());
        QVERIFY(h.window->findChild<ProgressPage*>()->isHidden());
        const Phase1Result& sample = h.window->lastPhase1Result();
        QCOMPARE(sample.cleanedMB, 1520);
        QCOMPARE(sample.freedMemoryMB, 450);
        QCOMPARE(sample.junkFilesCount, 1286);
        QCOMPARE(sample.startupFasterSeconds, 12);
        QCOMPARE(sample.startupItemsCount, 2);
        QVERIFY(!QFileInfo::exists(h.flagPath()));
    }

    void testFirstShowSchedulesTheUpdateCheckOnce()
    {
        WindowHarness h;
        QVERIFY(!h.window->isUpdateCheckScheduled());
        h.window->show();
        QVERIFY(h.window->isUpdateCheckScheduled());
        QCOMPARE(Optimizer::kUpdateCheckDelayMs, 1500);
    }

    void testToolFoldersAreCreatedWhenMissingThenOpened_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("folder");
        QTest::addRow("network") << "netFixBtn" << "网络驱动修复";
        QTest::addRow("remote") << "remoteBtn" << "远程协助";
        QTest::addRow("tools") << "toolsBtn" << "实用工具";
        QTest::addRow("runtime") << "runtimeBtn" << "系统运行库修复DirectX修复";
    }

    void testToolFoldersAreCreatedWhenMissingThenOpened()
    {
        QFETCH(QString, button);
        QFETCH(QString, folder);
        UrlRecorder recorder;
        WindowHarness h;
        const QString expected = QDir::cleanPath(h.stick.appDir() + QStringLiteral("/../tools/") + folder);
        QVERIFY(!QFileInfo::exists(expected));
        h.button(button)->click();
        QVERIFY(QFileInfo(expected).isDir());
        QVERIFY(QDir(expected).isEmpty());
        QCOMPARE(recorder.urls, QList<QUrl>{QUrl::fromLocalFile(expected)});
    }

    void testExistingToolFolderIsOpenedAsItIs()
    {
        UrlRecorder recorder;
        WindowHarness h;
        const QString folder = QDir::cleanPath(h.stick.appDir() + QStringLiteral("/../tools/实用工具"));
        QDir().mkpath(folder);
        h.stick.writeFile(QStringLiteral("../tools/实用工具/readme.txt"), "tools");
        h.button(QStringLiteral("toolsBtn"))->click();
        QCOMPARE(h.stick.readFile(QStringLiteral("../tools/实用工具/readme.txt")), QByteArray("tools"));
        QCOMPARE(recorder.urls.size(), 1);
    }

    void testWebsiteButtonOpensTheMakersPage()
    {
        UrlRecorder recorder;
        WindowHarness h;
        h.button(QStringLiteral("websiteBtn"))->click();
        QCOMPARE(recorder.urls.size(), 1);
        QCOMPARE(recorder.urls.first().scheme(), QStringLiteral("https"));
    }

    void testCloseButtonClosesTheWindow()
    {
        WindowHarness h;
        h.window->show();
        h.button(QStringLiteral("closeBtn"))->click();
        QVERIFY(!h.window->isVisible());
    }
};

QTEST_MAIN(TestOptimizerWindow)
#include "TestOptimizerWindow.moc"
