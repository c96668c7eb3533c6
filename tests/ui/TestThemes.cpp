#include "WindowHarness.h"

#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/ThemedMessage.h"
#include "ui/progress/ProgressPage.h"
#include "ui/theme/MainWindowStyle.h"
#include "ui/theme/ThemePalette.h"
#include "update/VersionNumber.h"

#include <QtTest>

namespace {

const char* const kModeButtons[] = {"gameModeBtn", "elderModeBtn", "proModeBtn"};

void verifyContains(const QString& sheet, const QStringList& parts)
{
    for (const QString& part : parts)
        QVERIFY2(sheet.contains(part), qPrintable(QStringLiteral("missing: %1\nin: %2").arg(part, sheet)));
}

ProgressPage* showProgressPage(WindowHarness& h)
{
    auto* page = h.window->findChild<ProgressPage*>();
    page->show();
    return page;
}

} // namespace

class TestThemes : public QObject {
    Q_OBJECT

private slots:
    void testOnlyThreeThemesExist()
    {
        QVERIFY(theme::palette(0) && theme::palette(1) && theme::palette(2));
        QVERIFY(!theme::palette(-1));
        QVERIFY(!theme::palette(3));
        QCOMPARE(theme::kDefault, 2);
    }

    void testWindowSheet_data()
    {
        QTest::addColumn<int>("themeIndex");
        QTest::addColumn<QStringList>("parts");
        QTest::addRow("dark") << 0
                              << QStringList{"* { font-family: \"Microsoft YaHei\"; }",
                                             "QWidget#contentWidget { background: transparent; }",
                                             "#appIcon { margin-top: 32px; }",
                                             "QWidget#Optimizer { background-color: #080B14; }",
                                             "background-color: #0B0F17; border-bottom: 1px solid #1E2433;",
                                             "QLabel#safetyLabel { color: #00D68F; font-size: 12px; "
                                             "font-weight: 600; }",
                                             "QLabel#titleLabel { color: #00C2FF; font-size: 32px; font-weight: 800; "
                                             "margin-top: 16px; }",
                                             "QLabel#subtitleLabel { color: #8B94A6; font-size: 15px; "
                                             "font-weight: 400; "
                                             "margin-top: 8px; }",
                                             "QLabel#tipLabel { color: #535C6E; font-size: 13px; margin-top: 14px; }",
                                             "background-color: #0B0F17; border-top: 1px solid #1E2433;",
                                             "QLabel#footerName { color: #E8ECF2; font-size: 12px; font-weight: 500; }",
                                             "QLabel#footerVersion { color: #535C6E; font-size: 10px; }"};
        QTest::addRow("warm") << 1
                              << QStringList{"QWidget#Optimizer { background-color: #F5EDE0; }",
                                             "background-color: #FFF8F0; border-bottom: 2px solid #F0D9BD;",
                                             "QLabel#safetyLabel { color: #23A535; font-size: 14px; "
                                             "font-weight: 600; }",
                                             "QLabel#titleLabel { color: #FF7A45; font-size: 36px;",
                                             "QLabel#subtitleLabel { color: #5C3D22; font-size: 17px;",
                                             "QLabel#tipLabel { color: #A0886A; font-size: 15px;",
                                             "background-color: #FFF8F0; border-top: 2px solid #F0D9BD;",
                                             "QLabel#footerName { color: #2D1A08; font-size: 13px; font-weight: 600; }",
                                             "QLabel#footerVersion { color: #A0886A; font-size: 11px; }"};
        QTest::addRow("light") << 2
                               << QStringList{"QWidget#Optimizer { background-color: #F0F2F8; }",
                                              "background-color: #FFFFFF; border-bottom: 1px solid #E4E9F2;",
                                              "QLabel#safetyLabel { color: #10B981; font-size: 12px;",
                                              "QLabel#titleLabel { color: #1A73E8; font-size: 32px;",
                                              "QLabel#subtitleLabel { color: #475569; font-size: 15px;",
                                              "QLabel#tipLabel { color: #94A3B8; font-size: 13px;",
                                              "QLabel#footerName { color: #0F1520; font-size: 12px; "
                                              "font-weight: 500; }",
                                              "QLabel#footerVersion { color: #94A3B8; font-size: 10px; }"};
    }

    void testWindowSheet()
    {
        QFETCH(int, themeIndex);
        QFETCH(QStringList, parts);
        WindowHarness h;
        h.window->setTheme(themeIndex);
        verifyContains(h.window->styleSheet(), parts);
    }

    void testButtonSheets_data()
    {
        QTest::addColumn<int>("themeIndex");
        QTest::addColumn<QStringList>("start");
        QTest::addColumn<QStringList>("active");
        QTest::addColumn<QStringList>("idle");
        QTest::addColumn<QStringList>("tool");
        QTest::addColumn<QStringList>("small");
        QTest::addRow("dark") << 0
                              << QStringList{"stop:0 #00C2FF, stop:1 #009FD4", "color: #0B0F17;", "font-size: 16px;",
                                             "border-radius: 12px;", "padding: 14px 56px;",
                                             "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                             "stop:0 #009FD4, stop:1 #00C2FF); }",
                                             "QPushButton:pressed { background: #0088B0; }"}
                              << QStringList{"background-color: #00C2FF; border: 1.5px solid #00C2FF; color: #0B0F17;",
                                             "border-radius: 20px; padding: 6px 18px; font-size: 13px; "
                                             "font-weight: 600;"}
                              << QStringList{"background-color: #10141E; border: 1.5px solid #2A3142; color: #8B94A6;",
                                             "QPushButton:hover { background-color: #181D28; border-color: #253D52; "
                                             "color: #E8ECF2; }"}
                              << QStringList{"background: transparent; color: #8B94A6;", "font-size: 13px;",
                                             "border-radius: 8px; padding: 8px 16px;",
                                             "QPushButton:hover { background: rgba(0,194,255,0.08); color: #00C2FF; }"}
                              << QStringList{"color: #8B94A6;", "min-width: 40px; min-height: 30px; font-size: 14px;",
                                             "QPushButton:hover { background: rgba(255,255,255,0.08); "
                                             "color: #E8ECF2; }"};
        QTest::addRow("warm") << 1
                              << QStringList{"stop:0 #FF7A45, stop:1 #E8632A", "color: #FFFFFF;", "font-size: 18px;",
                                             "border-radius: 14px;", "padding: 16px 60px;",
                                             "QPushButton:pressed { background: #D45520; }"}
                              << QStringList{"background-color: #FF7A45; border: 2px solid #FF7A45; color: #FFFFFF;",
                                             "border-radius: 22px; padding: 8px 20px; font-size: 15px;"}
                              << QStringList{"background-color: #FFF3E6; border: 2px solid #F0D9BD; color: #5C3D22;",
                                             "font-size: 15px;",
                                             "QPushButton:hover { background-color: #FFE8D5; border-color: #DDB88C; "
                                             "color: #2D1A08; }"}
                              << QStringList{"color: #5C3D22;", "font-size: 14px;",
                                             "QPushButton:hover { background: #FFE8D5; color: #FF7A45; }"}
                              << QStringList{"color: #5C3D22;", "min-width: 44px; min-height: 34px; font-size: 16px;",
                                             "QPushButton:hover { background: #FFE8D5; color: #2D1A08; }"};
        QTest::addRow("light") << 2
                               << QStringList{"stop:0 #1A73E8, stop:1 #1557C0", "color: #FFFFFF;", "font-size: 16px;",
                                              "QPushButton:pressed { background: #1355A8; }"}
                               << QStringList{"background-color: #1A73E8; border: 1.5px solid #1A73E8; color: #FFFFFF;"}
                               << QStringList{"background-color: #F7F9FC; border: 1.5px solid #CDD5E0; color: #475569;",
                                              "QPushButton:hover { background-color: #FFFFFF; border-color: #A0B4D0; "
                                              "color: #0F1520; }"}
                               << QStringList{"color: #475569;", "font-size: 13px;",
                                              "QPushButton:hover { background: #F1F5F9; color: #1A73E8; }"}
                               << QStringList{"color: #475569;", "min-width: 40px; min-height: 30px; font-size: 14px;",
                                              "QPushButton:hover { background: #F1F5F9; color: #0F1520; }"};
    }

    void testButtonSheets()
    {
        QFETCH(int, themeIndex);
        QFETCH(QStringList, start);
        QFETCH(QStringList, active);
        QFETCH(QStringList, idle);
        QFETCH(QStringList, tool);
        QFETCH(QStringList, small);
        WindowHarness h;
        h.window->setTheme(themeIndex);
        verifyContains(h.button(QStringLiteral("startBtn"))->styleSheet(), start);
        for (int i = 0; i < 3; ++i)
            verifyContains(h.button(QLatin1String(kModeButtons[i]))->styleSheet(), i == themeIndex ? active : idle);
        for (const char* name : {"netFixBtn", "remoteBtn", "toolsBtn", "runtimeBtn"})
            verifyContains(h.button(QLatin1String(name))->styleSheet(), tool);
        for (const char* name : {"minBtn", "kefuBtn", "huhangkaBtn", "websiteBtn", "aboutBtn"})
            verifyContains(h.button(QLatin1String(name))->styleSheet(), small);
        const QString close = h.button(QStringLiteral("closeBtn"))->styleSheet();
        verifyContains(close,
                       {small.first(), QStringLiteral("QPushButton:hover { background: #EF4444; color: white; }")});
    }

    void testThemeButtonsAreTallEnoughForTheirRoundedEnds_data()
    {
        QTest::addColumn<int>("themeIndex");
        QTest::addColumn<int>("minimumHeight");
        QTest::addRow("dark") << 0 << 40;
        QTest::addRow("warm") << 1 << 44;
        QTest::addRow("light") << 2 << 40;
    }

    void testThemeButtonsAreTallEnoughForTheirRoundedEnds()
    {
        QFETCH(int, themeIndex);
        QFETCH(int, minimumHeight);
        WindowHarness h;
        h.window->setTheme(themeIndex);
        for (const char* name : kModeButtons) {
            QCOMPARE(h.button(QLatin1String(name))->minimumWidth(), 110);
            QCOMPARE(h.button(QLatin1String(name))->minimumHeight(), minimumHeight);
            QVERIFY(h.button(QLatin1String(name))->isCheckable());
        }
    }

    void testCheckedStateIsNotTheLook()
    {
        WindowHarness h;
        h.button(QStringLiteral("gameModeBtn"))->click();
        QCOMPARE(h.window->theme(), 0);
        const theme::MainWindowSheets sheets = theme::mainWindowSheets(*theme::palette(0));
        QCOMPARE(h.button(QStringLiteral("gameModeBtn"))->styleSheet(), sheets.modeActive);
        QCOMPARE(h.button(QStringLiteral("proModeBtn"))->styleSheet(), sheets.modeIdle);
    }

    void testPressingTheCurrentThemeChangesNothing()
    {
        WindowHarness h;
        h.window->show();
        ProgressPage* page = showProgressPage(h);
        page->applyTheme(2);
        page->onProgressUpdate(1, 50, QString());
        const QString windowSheet = h.window->styleSheet();
        const QString pageSheet = page->styleSheet();
        h.button(QStringLiteral("proModeBtn"))->click();
        QCOMPARE(h.window->theme(), 2);
        QCOMPARE(h.window->styleSheet(), windowSheet);
        QCOMPARE(page->styleSheet(), pageSheet);
        QCOMPARE(page->nextTagIndex(), 11);
    }

    void testVisibleProgressPageIsRethemedAtOnce()
    {
        WindowHarness h;
        h.window->show();
        ProgressPage* page = showProgressPage(h);
        page->applyTheme(2);
        page->onProgressUpdate(1, 50, QString());
        h.button(QStringLiteral("elderModeBtn"))->click();
        QVERIFY(page->styleSheet().contains(QStringLiteral("#F5EDE0")));
        QCOMPARE(page->nextTagIndex(), 0);
    }

    void testHiddenProgressPageWaitsUntilShown()
    {
        WindowHarness h;
        h.window->show();
        auto* page = h.window->findChild<ProgressPage*>();
        h.button(QStringLiteral("gameModeBtn"))->click();
        QVERIFY(page->styleSheet().isEmpty());
    }

    void testUnknownThemeIsIgnored()
    {
        WindowHarness h;
        const QString sheet = h.window->styleSheet();
        h.window->setTheme(7);
        QCOMPARE(h.window->theme(), 2);
        QCOMPARE(h.window->styleSheet(), sheet);
    }

    void testAboutDialogIsReusedWithTheThemeOfTheMoment()
    {
        WindowHarness h;
        h.window->show();
        h.answerWith(QStringLiteral("okBtn"));
        h.button(QStringLiteral("aboutBtn"))->click();
        QCOMPARE(h.dialogs.size(), 1);
        auto* about = qobject_cast<AboutDialog*>(h.dialogs.first());
        QVERIFY(about);
        QCOMPARE(about->parent(), h.window.get());
        QCOMPARE(about->windowModality(), Qt::ApplicationModal);
        QCOMPARE(about->theme(), 2);
        QCOMPARE(about->styleSheet(), AboutDialog::styleSheetFor(2));
        QVERIFY(!about->isVisible());

        h.window->setTheme(0);
        QCOMPARE(about->theme(), 0);
        QCOMPARE(about->styleSheet(), AboutDialog::styleSheetFor(0));

        h.answerWith(QStringLiteral("closeBtn"));
        h.button(QStringLiteral("aboutBtn"))->click();
        QCOMPARE(h.dialogs.size(), 2);
        QCOMPARE(h.dialogs.at(1), about);
        QCOMPARE(h.window->findChildren<AboutDialog*>().size(), 1);
    }

    void testAboutSheets_data()
    {
        QTest::addColumn<int>("themeIndex");
        QTest::addColumn<QStringList>("parts");
        QTest::addRow("dark") << 0
                              << QStringList{"QFrame#container { background-color: #151A2D; border-radius: 12px; }",
                                             "background-color: #0F1219;", "border-bottom: 1px solid #1E2230;",
                                             "QLabel#titleLabel { color: #FFFFFF; font-size: 14px; "
                                             "font-weight: bold; }",
                                             "color: #B0B8C4; font-size: 16px; font-weight: bold; border-radius: 4px;",
                                             "QPushButton#closeBtn:hover { background-color: #E53935; color: white; }",
                                             "QLabel#logoLabel { color: #00C2FF; }",
                                             "QLabel#nameLabel { color: #FFFFFF; }",
                                             "QLabel#versionLabel { color: #7A808C; }",
                                             "QLabel#descLabel { color: #B0B8C4; font-size: 13px; }",
                                             "QLabel#copyrightLabel { color: #5A6070; }",
                                             "stop:0 #5271FF, stop:1 #00C2FF); color: white; border: none; "
                                             "border-radius: 22px; font-size: 14px; font-weight: bold;",
                                             "background-color: rgba(255,255,255,0.08); color: #B0B8C4; "
                                             "border: 1px solid rgba(255,255,255,0.15); border-radius: 18px;",
                                             "background-color: rgba(0,194,255,0.15); color: #00C2FF;"};
        QTest::addRow("warm") << 1
                              << QStringList{"background-color: #FFF8F0; border-radius: 12px;",
                                             "background-color: #FFE8D6;", "border-bottom: 2px solid #FFD4B8;",
                                             "color: #4A3B32; font-size: 14px;",
                                             "color: #5D4037; font-size: 18px; font-weight: bold; border-radius: 6px;",
                                             "QLabel#logoLabel { color: #FF7A45; font-size: 56px; }",
                                             "QLabel#nameLabel { color: #4A3B32; font-size: 20px; }",
                                             "QLabel#versionLabel { color: #8D6E63; font-size: 14px; }",
                                             "QLabel#descLabel { color: #5D4037; font-size: 15px; }",
                                             "QLabel#copyrightLabel { color: #A1887F; font-size: 12px; }",
                                             "QPushButton#okBtn { background: #FF7A45;", "font-size: 16px;",
                                             "QPushButton#okBtn:hover { background: #FF8C60; }",
                                             "background-color: #FFFFFF; color: #5D4037; border: 2px solid #FFD0B0; "
                                             "border-radius: 18px; font-size: 15px;",
                                             "background-color: #FFE0CC; color: #FF7A45;"};
        QTest::addRow("light") << 2
                               << QStringList{"background-color: #FFFFFF; border-radius: 12px;",
                                              "background-color: #F8F9FA;", "border-bottom: 1px solid #E8EAED;",
                                              "QLabel#titleLabel { color: #202124;",
                                              "color: #5F6368; font-size: 16px; font-weight: bold; border-radius: 4px;",
                                              "QLabel#logoLabel { color: #1A73E8; }",
                                              "QLabel#nameLabel { color: #202124; }",
                                              "QLabel#versionLabel { color: #5F6368; }",
                                              "QLabel#descLabel { color: #5F6368; font-size: 13px; }",
                                              "QLabel#copyrightLabel { color: #9AA0A6; }",
                                              "stop:0 #1A73E8, stop:1 #4285F4)", "stop:0 #1557B0, stop:1 #3367D6)",
                                              "background-color: #FFFFFF; color: #3C4043; border: 1px solid #DADCE0; "
                                              "border-radius: 18px; font-size: 13px;",
                                              "background-color: #F1F3F4; color: #1A73E8;"};
    }

    void testAboutSheets()
    {
        QFETCH(int, themeIndex);
        QFETCH(QStringList, parts);
        verifyContains(AboutDialog::styleSheetFor(themeIndex), parts);
        QVERIFY(AboutDialog::styleSheetFor(3).isEmpty());
    }

    void testAboutDialogContents()
    {
        TempStick stick;
        QFile::copy(QStringLiteral(":/ICON/T512.png"), stick.appDir() + QStringLiteral("/T512.png"));
        AboutDialog about(nullptr, 1, stick.appDir());
        QCOMPARE(about.size(), QSize(420, 480));
        QVERIFY(about.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(about.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(about.windowTitle(), QStringLiteral("关于 Tidewell"));
        auto text = [&](const char* name) { return about.findChild<QLabel*>(QLatin1String(name))->text(); };
        QCOMPARE(text("titleLabel"), QStringLiteral("关于 Tidewell"));
        QCOMPARE(text("nameLabel"), QStringLiteral("Tidewell"));
        QCOMPARE(text("versionLabel"), QStringLiteral("版本 ") + QLatin1String(version::kShown));
        QCOMPARE(text("descLabel"),
                 QStringLiteral("专为电脑小白、中老年群体打造的零安装、纯便携、无捆绑、高安全的系统优化工具。"));
        QVERIFY(text("copyrightLabel").contains(QStringLiteral("2026")));
        const QPixmap logo = about.findChild<QLabel*>(QStringLiteral("logoLabel"))->pixmap(Qt::ReturnByValue);
        QCOMPARE(logo.size(), QSize(96, 96));
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("closeBtn"))->size(), QSize(40, 28));
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("okBtn"))->text(), QStringLiteral("确定"));
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("okBtn"))->minimumHeight(), 44);
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("eulaBtn"))->minimumSize(), QSize(100, 36));
        QVERIFY(about.findChild<QFrame*>(QStringLiteral("container"))->graphicsEffect());
    }

    void testAboutDialogWithoutLogoFileStaysEmpty()
    {
        TempStick stick;
        AboutDialog about(nullptr, 2, stick.appDir());
        QVERIFY(about.findChild<QLabel*>(QStringLiteral("logoLabel"))->pixmap(Qt::ReturnByValue).isNull());
    }

    void testAgreementAndPrivacyBoxes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addRow("agreement") << "eulaBtn" << "用户协议"
                                   << "用户协议内容：\n本软件永久免费，无广告无病毒，仅用于系统优化，"
                                      "不收集任何用户隐私数据。";
        QTest::addRow("privacy") << "privacyBtn" << "隐私政策"
                                 << "隐私政策：\n本软件不会上传任何用户个人数据，所有操作日志仅保存在本地U盘，"
                                    "绝对保护您的隐私安全。";
    }

    void testAgreementAndPrivacyBoxes()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(QString, text);
        TempStick stick;
        AboutDialog about(nullptr, 2, stick.appDir());
        QString shownTitle;
        QString shownText;
        QObject* shownParent = &about;
        DialogRunner::setNextAnswer([&](QDialog& box) {
            shownTitle = box.windowTitle();
            shownText = static_cast<ThemedMessage&>(box).text();
            shownParent = box.parent();
            box.accept();
        });
        about.findChild<QPushButton*>(button)->click();
        QCOMPARE(shownTitle, title);
        QCOMPARE(shownText, text);
        QVERIFY(shownParent == nullptr);
    }
};

QTEST_MAIN(TestThemes)
#include "TestThemes.moc"
