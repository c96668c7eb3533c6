#include "WindowHarness.h"

#include "support/TestMachine.h"
#include "ui/dialogs/ThemedMessage.h"
#include "ui/progress/ProgressPage.h"
#include "ui/widgets/CircularProgressBar.h"
#include "ui/widgets/SphereTagCloud.h"

#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QtTest>

namespace {

constexpr int kRunTimeoutMs = 60000;

// The run started from the start button has handed back to the home page.
bool atHome(const WindowHarness& h)
{
    return !h.window->phase1Thread() && h.window->findChild<ProgressPage*>()->isHidden();
}

} // namespace

// Phase 1 driven through the window on a small simulated PC: start button, agreement, progress page, the
// engine on its worker thread, the hand-over and the worker's release.
class TestPhase1Run : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { platform::setCurrent(nullptr); }

    void testFullRunThroughTheWindow()
    {
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        h.window->setTheme(0);
        auto* page = h.window->findChild<ProgressPage*>();

        h.answerWith(QStringLiteral("agreeBtn"));
        h.button(QStringLiteral("startBtn"))->click();
        QCOMPARE(h.dialogTitles, QStringList{QStringLiteral("使用前请阅读用户协议")});
        QCOMPARE(h.stick.readFile(QStringLiteral("../../eula_accepted.flag")), QByteArray("1"));

        // The page covers the content area at once, themed for the current look.
        QVERIFY(page->isVisible());
        QCOMPARE(page->geometry(), h.window->findChild<QWidget*>(QStringLiteral("contentWidget"))->rect());
        QVERIFY(page->styleSheet().contains(QStringLiteral("#080B14")));
        QPointer<QThread> thread = h.window->phase1Thread();
        QVERIFY(thread);
        QVERIFY(thread != QThread::currentThread());

        // A second press while running starts nothing new.
        h.button(QStringLiteral("startBtn"))->click();
        QCOMPARE(h.window->phase1Thread(), thread.data());

        // The engine's last update (100 %) lit every word; the done texts then show until the hand-over.
        QTRY_COMPARE_WITH_TIMEOUT(page->nextTagIndex(), 20, kRunTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(page->findChild<QLabel*>(QStringLiteral("stepTitle"))->text(),
                                  QStringLiteral("优化完成啦！"), kRunTimeoutMs);
        QCOMPARE(page->ring()->value(), 100);
        for (int i = 0; i < page->tagCloud()->tagCount(); ++i)
            QCOMPARE(page->tagCloud()->tagAt(i).state, 3);

        QTRY_VERIFY_WITH_TIMEOUT(atHome(h), kRunTimeoutMs);
        QTRY_VERIFY(thread.isNull());
        QVERIFY(h.window->findChildren<QThread*>().isEmpty());
        QVERIFY(!machine.journal().isEmpty());
        QVERIFY(h.dialogTitles.size() == 1);
    }

    void testSecondRunSkipsTheAgreement()
    {
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        h.window->show();
        h.stick.writeFile(QStringLiteral("../../eula_accepted.flag"), "1");
        for (int run = 0; run < 2; ++run) {
            h.button(QStringLiteral("startBtn"))->click();
            QVERIFY(h.window->phase1Thread());
            QTRY_VERIFY_WITH_TIMEOUT(atHome(h), kRunTimeoutMs);
        }
        QVERIFY(h.dialogTitles.isEmpty());
        QVERIFY(h.window->findChildren<QThread*>().isEmpty());
    }

    void testUnwritableFlagStillStartsAndAsksAgainNextTime()
    {
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        // A program folder whose parents do not exist: the flag file cannot be written there.
        const QString appDir = machine.folder() + QStringLiteral("/missing/Tidewell/app");
        Optimizer window(QStringList(), appDir);
        window.show();
        int asked = 0;
        for (int run = 0; run < 2; ++run) {
            DialogRunner::setNextAnswer([&asked](QDialog& dialog) {
                ++asked;
                dialog.findChild<QPushButton*>(QStringLiteral("agreeBtn"))->click();
            });
            window.findChild<QPushButton*>(QStringLiteral("startBtn"))->click();
            QVERIFY(window.phase1Thread());
            QTRY_VERIFY_WITH_TIMEOUT(!window.phase1Thread(), kRunTimeoutMs);
        }
        QCOMPARE(asked, 2);
        QVERIFY(!QFileInfo::exists(appDir + QStringLiteral("/../../eula_accepted.flag")));
    }

    void testRefusedEnvironmentShowsOneErrorBoxAndReturnsHome()
    {
        nlohmann::json profile = TestMachine::windows10();
        profile["system"]["version"] = {{"major", 5}, {"minor", 1}, {"build", 2600}};
        TestMachine machine(profile);
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        h.window->show();
        h.stick.writeFile(QStringLiteral("../../eula_accepted.flag"), "1");
        QString title;
        QString text;
        int kind = -1;
        QObject* parent = nullptr;
        int boxes = 0;
        DialogRunner::setNextAnswer([&](QDialog& dialog) {
            auto& box = static_cast<ThemedMessage&>(dialog);
            ++boxes;
            title = box.windowTitle();
            text = box.text();
            kind = box.kind();
            parent = box.parent();
            box.accept();
        });
        QPointer<QThread> thread;
        h.button(QStringLiteral("startBtn"))->click();
        thread = h.window->phase1Thread();
        QVERIFY(thread);
        QTRY_VERIFY_WITH_TIMEOUT(atHome(h), kRunTimeoutMs);
        QCOMPARE(boxes, 1);
        QCOMPARE(title, QStringLiteral("优化失败"));
        QCOMPARE(text, QStringLiteral("当前系统版本不支持（需Windows 7 SP1及以上）。"));
        QCOMPARE(kind, int(ThemedMessage::Critical));
        QCOMPARE(parent, h.window.get());
        QTRY_VERIFY(thread.isNull());

        // The start button works again.
        DialogRunner::setNextAnswer([](QDialog& dialog) { dialog.accept(); });
        h.button(QStringLiteral("startBtn"))->click();
        QVERIFY(h.window->phase1Thread());
        QTRY_VERIFY_WITH_TIMEOUT(atHome(h), kRunTimeoutMs);
    }

    void testClosingDuringARunStopsTheWorker()
    {
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        auto h = std::make_unique<WindowHarness>();
        h->window->show();
        h->stick.writeFile(QStringLiteral("../../eula_accepted.flag"), "1");
        h->button(QStringLiteral("startBtn"))->click();
        QPointer<QThread> thread = h->window->phase1Thread();
        QVERIFY(thread);
        h->window.reset();
        QTRY_VERIFY_WITH_TIMEOUT(thread.isNull(), kRunTimeoutMs);
    }
};

QTEST_MAIN(TestPhase1Run)
#include "TestPhase1Run.moc"
