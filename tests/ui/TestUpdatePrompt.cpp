#include "WindowHarness.h"

#include "support/LoopbackHttpServer.h"
#include "support/TestMachine.h"
#include "ui/dialogs/UpdatePromptDialog.h"
#include "update/UpdateCheck.h"
#include "update/VersionNumber.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// JSON written with single quotes: moc's scanner does not read raw string literals.
QByteArray json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

constexpr int kWaitMs = 20000;
constexpr int kRunTimeoutMs = 60000;

const QByteArray kOffer = json("{'code':200,'data':{'hasUpdate':true,'forceUpdate':false,'latest':{'version':'"
                               "NEXT','releaseNote':'更快'}}}").replace("NEXT", QByteArray(version::kRunning) + ".1");

// A window on a simulated PC whose "updater.config" points at a loopback server offering a newer version.
struct UpdateScene {
    explicit UpdateScene(const nlohmann::json& profile = TestMachine::windows10())
        : machine(profile)
    {
        platform::setCurrent(&machine.platform());
        harness = std::make_unique<WindowHarness>();
        server.route("/check", LoopbackHttpServer::Route{LoopbackHttpServer::Kind::Answer, 200, kOffer, 0});
        harness->stick.writeFile(QStringLiteral("updater.config"),
                                 json("{'update_url': '") + server.url("/check").toEncoded() + "\"}");
    }
    ~UpdateScene() { platform::setCurrent(nullptr); }

    bool check()
    {
        QSignalSpy ended(harness->window->updateChecker(), &UpdateCheck::ended);
        harness->window->checkForUpdate();
        return ended.wait(kWaitMs);
    }

    bool updaterStarted() const
    {
        return machine.journal().filter(QStringLiteral("updaterwindow.exe --auto -> started")).size() == 1;
    }

    TestMachine machine;
    LoopbackHttpServer server;
    std::unique_ptr<WindowHarness> harness;
};

nlohmann::json withUpdaterTool(const nlohmann::json& behaviour)
{
    nlohmann::json profile = TestMachine::windows10();
    profile["tools"]["updaterwindow"] = behaviour;
    return profile;
}

} // namespace

// The update prompt and what the window does with the user's answer.
class TestUpdatePrompt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
    }

    void testTexts_data()
    {
        QTest::addColumn<bool>("forced");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shownNote");
        QTest::addRow("offered") << false << "修复若干问题"
                                 << "🛡️ 发现新版本"
                                 << "修复若干问题";
        QTest::addRow("forced") << true << "必须更新"
                                << "🛡️ 需要更新"
                                << "必须更新";
        QTest::addRow("no note") << false << ""
                                 << "🛡️ 发现新版本"
                                 << "(本次更新无更新说明)";
        QTest::addRow("markup stays text") << false << "<img src=\"file://server/share/x.png\">"
                                           << "🛡️ 发现新版本"
                                           << "<img src=\"file://server/share/x.png\">";
    }

    void testTexts()
    {
        QFETCH(bool, forced);
        QFETCH(QString, note);
        QFETCH(QString, title);
        QFETCH(QString, shownNote);
        UpdatePromptDialog dialog(nullptr, 2, QStringLiteral("1.2.0"), note, forced);
        auto label = [&](const char* name) { return dialog.findChild<QLabel*>(QLatin1String(name)); };
        QCOMPARE(label("titleIcon")->text(), title);
        QCOMPARE(label("headingLabel")->text(), QStringLiteral("发现新版本 v1.2.0"));
        QCOMPARE(label("noteLabel")->text(), shownNote);
        for (QLabel* shown : dialog.findChildren<QLabel*>())
            QCOMPARE(shown->textFormat(), Qt::PlainText);
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("laterBtn")) != nullptr, !forced);
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("updateBtn"))->text(), QStringLiteral("立即更新"));
        QCOMPARE(dialog.size(), QSize(440, 400));
    }

    void testButtons_data()
    {
        QTest::addColumn<bool>("forced");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::addRow("update") << false << "updateBtn" << int(QDialog::Accepted);
        QTest::addRow("later") << false << "laterBtn" << int(QDialog::Rejected);
        QTest::addRow("close") << false << "closeBtn" << int(QDialog::Rejected);
        QTest::addRow("forced, close declines") << true << "closeBtn" << int(QDialog::Rejected);
        QTest::addRow("forced, update") << true << "updateBtn" << int(QDialog::Accepted);
    }

    void testButtons()
    {
        QFETCH(bool, forced);
        QFETCH(QString, button);
        QFETCH(int, result);
        UpdatePromptDialog dialog(nullptr, 2, QStringLiteral("2"), QString(), forced);
        dialog.setResult(-1);
        dialog.show();
        dialog.findChild<QPushButton*>(button)->click();
        QCOMPARE(dialog.result(), result);
        QVERIFY(!dialog.isVisible());
    }

    void testWindowAnswer_data()
    {
        QTest::addColumn<bool>("updaterPresent");
        QTest::addColumn<QString>("toolBehaviour"); // empty: the simulated PC starts it
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("boxTitle"); // empty: no box
        QTest::addRow("accepted, updater started") << true << ""
                                                   << "updateBtn" << true << "";
        QTest::addRow("declined") << true << ""
                                  << "laterBtn" << false << "";
        QTest::addRow("updater missing") << false << ""
                                         << "updateBtn" << false << "无法更新";
        QTest::addRow("updater fails to start") << true << "missing"
                                                << "updateBtn" << false << "无法更新";
    }

    void testWindowAnswer()
    {
        QFETCH(bool, updaterPresent);
        QFETCH(QString, toolBehaviour);
        QFETCH(QString, button);
        QFETCH(bool, started);
        QFETCH(QString, boxTitle);
        UpdateScene scene(withUpdaterTool(toolBehaviour.isEmpty() ? nlohmann::json::object()
                                                                  : nlohmann::json(toolBehaviour.toStdString())));
        WindowHarness& h = *scene.harness;
        if (updaterPresent)
            h.stick.writeFile(QStringLiteral("updaterwindow.exe"), "MZ");
        h.window->setTheme(0);
        QString promptSheet;
        QColor noteColour;
        DialogRunner::setNextAnswer([&](QDialog& dialog) {
            promptSheet = dialog.styleSheet();
            noteColour = dialog.findChild<QLabel*>(QStringLiteral("noteLabel"))->palette().color(QPalette::WindowText);
            QVERIFY(qobject_cast<UpdatePromptDialog*>(&dialog));
            dialog.findChild<QPushButton*>(button)->click();
        });
        h.answerWith(QString());

        QVERIFY(scene.check());
        QVERIFY(promptSheet.contains(QStringLiteral("#151A2D")));
        // The note sits in a scroll area; under the window's own sheet it must still take the prompt's.
        QCOMPARE(noteColour, QColor(QStringLiteral("#8B94A6")));
        QCOMPARE(scene.updaterStarted(), started);
        QCOMPARE(h.dialogTitles, boxTitle.isEmpty() ? QStringList() : QStringList{boxTitle});
    }

    void testAcceptDuringARunStartsTheUpdaterAfterIt_data()
    {
        QTest::addColumn<bool>("closeWindow");
        QTest::addRow("run ends") << false;
        QTest::addRow("window closed during the run") << true;
    }

    void testAcceptDuringARunStartsTheUpdaterAfterIt()
    {
        QFETCH(bool, closeWindow);
        UpdateScene scene(withUpdaterTool(nlohmann::json::object()));
        WindowHarness& h = *scene.harness;
        h.stick.writeFile(QStringLiteral("updaterwindow.exe"), "MZ");
        h.answerWith(QStringLiteral("agreeBtn"));
        h.button(QStringLiteral("startBtn"))->click();
        QVERIFY(h.window->isRunWorking());

        h.answerWith(QStringLiteral("updateBtn"));
        h.answerWith(QString());
        QVERIFY(scene.check());
        QCOMPARE(h.dialogTitles.mid(1), (QStringList{QStringLiteral("发现新版本"), QStringLiteral("稍后更新")}));
        QVERIFY(!scene.updaterStarted());

        // Closing ends the program with the window: the updater must have started by then.
        if (closeWindow) {
            QVERIFY(h.window->close());
            QVERIFY(scene.updaterStarted());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!h.window->phase1Thread(), kRunTimeoutMs);
        QVERIFY(scene.updaterStarted());
    }
};

QTEST_MAIN(TestUpdatePrompt)
#include "TestUpdatePrompt.moc"
