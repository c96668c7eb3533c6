#include "WindowHarness.h"

#include "log/RunLogger.h"
#include "ui/dialogs/ImageDialog.h"
#include "ui/feedback/CardNumber.h"
#include "ui/feedback/FeedbackPage.h"
#include "ui/widgets/ButtonGlow.h"

#include <QClipboard>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QtTest>

namespace {

FeedbackPage* feedbackPage(const WindowHarness& h, int mode)
{
    for (FeedbackPage* page : h.window->findChildren<FeedbackPage*>()) {
        if (page->mode() == mode)
            return page;
    }
    return nullptr;
}

QPushButton* pageButton(FeedbackPage* page, const char* name)
{
    return page->findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

// The two feedback pages and the image dialog, reached from every entry point the window has.
class TestFeedbackPages : public QObject
{
    Q_OBJECT

private slots:
    void testFooterButtonsShowTheirPicture_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("image");
        QTest::addRow("customer service") << "kefuBtn"
                                          << ":/ICON/2.png";
        QTest::addRow("service card") << "huhangkaBtn"
                                      << ":/ICON/1.png";
    }

    void testFooterButtonsShowTheirPicture()
    {
        QFETCH(QString, button);
        QFETCH(QString, image);
        WindowHarness h;
        h.window->setTheme(1);
        QString shown;
        QString sheet;
        DialogRunner::setNextAnswer([&](QDialog& dialog) {
            auto* imageDialog = qobject_cast<ImageDialog*>(&dialog);
            QVERIFY(imageDialog);
            shown = imageDialog->imagePath();
            sheet = dialog.styleSheet();
            dialog.findChild<QPushButton*>(QStringLiteral("imageCloseBtn"))->click();
        });
        h.button(button)->click();
        QCOMPARE(shown, image);
        QVERIFY(sheet.contains(QStringLiteral("#FFF8F0")));
        QCOMPARE(DialogRunner::pendingAnswers(), 0);
    }

    void testImageThatDoesNotLoadKeepsThePrevious()
    {
        ImageDialog dialog(nullptr, 2);
        QVERIFY(dialog.setImage(QStringLiteral(":/ICON/3.png")));
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("imageLabel"));
        const qint64 picture = label->pixmap(Qt::ReturnByValue).cacheKey();
        QVERIFY(!dialog.setImage(QStringLiteral(":/ICON/none.png")));
        QCOMPARE(dialog.imagePath(), QStringLiteral(":/ICON/3.png"));
        QCOMPARE(label->pixmap(Qt::ReturnByValue).cacheKey(), picture);
    }

    void testHelpfulShareThanksWithoutClaimingAnUpload()
    {
        WindowHarness h;
        FeedbackPage* page = feedbackPage(h, FeedbackPage::kHelpful);
        QStringList order;
        connect(page, &FeedbackPage::shareData, this, [&] { order << QStringLiteral("share"); });
        connect(page, &FeedbackPage::finished, this, [&] { order << QStringLiteral("finished"); });
        QString boxText;
        DialogRunner::setNextAnswer([&](QDialog& dialog) {
            h.dialogTitles << dialog.windowTitle();
            boxText = dialog.findChild<QLabel*>(QStringLiteral("messageText"))->text();
        });

        h.window->showFeedback(FeedbackPage::kHelpful);
        QVERIFY(!page->isHidden());
        pageButton(page, "primaryBtn")->click();
        QCOMPARE(order, (QStringList{QStringLiteral("share"), QStringLiteral("finished")}));
        QCOMPARE(h.dialogTitles, QStringList{QStringLiteral("谢谢您")});
        QCOMPARE(boxText, QStringLiteral("感谢您的支持！本程序不会上传任何数据。"));
        QVERIFY(page->isHidden());
    }

    void testFinishButtons_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("image"); // empty: back home without a dialog
        QTest::addRow("helpful, finish directly") << FeedbackPage::kHelpful << "secondaryBtn"
                                                  << "";
        QTest::addRow("average, take the card") << FeedbackPage::kAverage << "primaryBtn"
                                                << ":/ICON/2.png";
    }

    void testFinishButtons()
    {
        QFETCH(int, mode);
        QFETCH(QString, button);
        QFETCH(QString, image);
        WindowHarness h;
        h.window->show();
        h.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
        FeedbackPage* page = feedbackPage(h, mode);
        QString shown;
        DialogRunner::setNextAnswer([&](QDialog& dialog) {
            shown = qobject_cast<ImageDialog*>(&dialog)->imagePath();
            QVERIFY2(page->isHidden(), "the page is gone before the picture opens");
        });

        h.window->showFeedback(mode);
        QCOMPARE(page->geometry(), h.window->findChild<QWidget*>(QStringLiteral("contentWidget"))->rect());
        QVERIFY(page->hasFocus());
        pageButton(page, button.toLatin1().constData())->click();
        QVERIFY(page->isHidden());
        QCOMPARE(shown, image);
    }

    void testGlowRunsOnlyWhileShown()
    {
        WindowHarness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        FeedbackPage* helpful = feedbackPage(h, FeedbackPage::kHelpful);
        FeedbackPage* average = feedbackPage(h, FeedbackPage::kAverage);
        QVERIFY(!helpful->glow()->isRunning());
        QVERIFY(!average->glow()->isRunning());
        h.window->showFeedback(FeedbackPage::kHelpful);
        QVERIFY(helpful->glow()->isRunning());
        QVERIFY(!average->glow()->isRunning());
        pageButton(helpful, "secondaryBtn")->click();
        QVERIFY(!helpful->glow()->isRunning());
    }

    void testGlowPulse()
    {
        QPushButton button;
        ButtonGlow glow(&button);
        glow.setColour(QColor(26, 115, 232, 80));
        int lowest = 255;
        int highest = 0;
        double smallest = 100;
        double largest = 0;
        // A little more than one turn of the shared phase, wherever an earlier glow left it.
        for (int i = 0; i < 320; ++i) {
            glow.tick();
            const QColor colour = glow.effect()->color();
            QCOMPARE(colour.rgb() & 0xFFFFFF, QColor(26, 115, 232).rgb() & 0xFFFFFF);
            lowest = std::min(lowest, colour.alpha());
            highest = std::max(highest, colour.alpha());
            smallest = std::min(smallest, glow.effect()->blurRadius());
            largest = std::max(largest, glow.effect()->blurRadius());
        }
        QCOMPARE(lowest, 60);
        QVERIFY(highest >= 179 && highest <= 180);
        QVERIFY(smallest >= 25 && smallest < 25.01);
        QVERIFY(largest > 54.99 && largest <= 55);
    }

    void testCopyCardNumber()
    {
        WindowHarness h;
        FeedbackPage* page = feedbackPage(h, FeedbackPage::kAverage);
        const QString number = cardNumberFor(RunLogger::instance().deviceId);
        QCOMPARE(page->findChild<QLabel*>(QStringLiteral("cardNo"))->text(), number);
        QPushButton* copy = pageButton(page, "copyBtn");
        copy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), number);
        QCOMPARE(copy->text(), QStringLiteral("✓ 已复制"));
        QTRY_COMPARE(copy->text(), QStringLiteral("📋 复制"));
    }

    void testCardNumber_data()
    {
        QTest::addColumn<QString>("deviceId");
        QTest::addColumn<QString>("number"); // empty: only the shape is fixed
        QTest::addRow("identifier") << "0123456789abcdef"
                                    << "VIP-0123-4567-89AB";
        QTest::addRow("hand-edited") << "abc"
                                     << "";
        QTest::addRow("none") << ""
                              << "";
        QTest::addRow("17 characters") << "0123456789abcdef0"
                                       << "";
    }

    void testCardNumber()
    {
        QFETCH(QString, deviceId);
        QFETCH(QString, number);
        const QString card = cardNumberFor(deviceId);
        QVERIFY(QRegularExpression(QStringLiteral("^VIP-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}$")).match(card).hasMatch());
        QCOMPARE(cardNumberFor(deviceId), card);
        if (!number.isEmpty())
            QCOMPARE(card, number);
    }

    void testThemeReachesHiddenPages()
    {
        WindowHarness h;
        h.window->setTheme(0);
        for (int mode : {FeedbackPage::kHelpful, FeedbackPage::kAverage}) {
            FeedbackPage* page = feedbackPage(h, mode);
            QVERIFY(page->isHidden());
            QVERIFY(page->styleSheet().contains(QStringLiteral("#080B14")));
        }
    }
};

QTEST_MAIN(TestFeedbackPages)
#include "TestFeedbackPages.moc"
