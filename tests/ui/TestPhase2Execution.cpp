#include "WindowHarness.h"

#include "platform/sim/DefaultMachine.h"
#include "support/TestMachine.h"
#include "ui/dialogs/Phase2ProgressDialog.h"
#include "ui/dialogs/ThemedInput.h"
#include "ui/phase2/Phase2Page.h"
#include "ui/phase2/Phase2Runner.h"

#include <QProgressBar>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

nlohmann::json machineWith(const nlohmann::json& overlay)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, overlay);
    return profile;
}

OptItem spooler()
{
    OptItem item;
    item.id = QStringLiteral("C9");
    item.title = QStringLiteral("打印后台服务");
    item.confirmType = QStringLiteral("C9");
    return item;
}

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

constexpr bool kAccept = true;
constexpr bool kReject = false;

// Records a message box and presses its accept or its reject button.
void answerBox(QList<SeenBox>& seen, bool accept)
{
    DialogRunner::setNextAnswer([&seen, accept](QDialog& dialog) {
        auto* box = qobject_cast<ThemedMessage*>(&dialog);
        QVERIFY(box);
        seen.append({box->windowTitle(), box->text(), box->findChild<QLabel*>("messageText")->textFormat()});
        (accept ? box->acceptButton() : box->rejectButton())->click();
    });
}

QString startTypeOf(TestMachine& machine, const char* service)
{
    machine.reopen();
    return QString::fromStdString(machine.machine().document()["services"][service]["startType"].dump()).remove('"');
}

// Runs `check` once the execution has begun but before its worker can report anything: it is queued as the
// runner announces the start, ahead of every signal the worker sends.
void whenBegun(WindowHarness& h, std::function<void()> check)
{
    QObject::connect(h.window->phase2(), &Phase2Runner::starting, h.window.get(), [&h, check] {
        QMetaObject::invokeMethod(h.window.get(), check, Qt::QueuedConnection);
    });
}

} // namespace

// The window's side of phase 2: the checks, the printer warning, the worker with its progress dialog, the
// summary, the special confirmations and a close while an execution runs.
class TestPhase2Execution : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        DialogRunner::clearAnswers();
        platform::setCurrent(nullptr);
    }

    void testEmptySelectionStartsNothing()
    {
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        QList<SeenBox> seen;
        answerBox(seen, kAccept);
        QVERIFY(!h.window->executePhase2({}));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("提示"));
        QCOMPARE(seen[0].text, QStringLiteral("请先勾选要执行的优化项。"));
        QVERIFY(!h.window->phase2()->isRunning());
    }

    void testPrinterWarningRefusedStartsNothing()
    {
        TestMachine machine(machineWith({{"printers", {{{"name", "<b>HP</b> LaserJet"}}}},
                                         {"services", {{"Spooler", {{"state", "running"}, {"startType", "auto"}}}}}}));
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        auto* page = h.window->findChild<Phase2Page*>();
        page->show();
        QList<SeenBox> seen;
        answerBox(seen, kReject);
        QVERIFY(h.window->executePhase2({spooler()}));
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(!page->isHidden());
        QCOMPARE(seen[0].title, QStringLiteral("打印后台服务"));
        QVERIFY(seen[0].text.startsWith(QStringLiteral("检测到您安装了以下打印机：\n• <b>HP</b> LaserJet\n\n")));
        QCOMPARE(seen[0].format, Qt::PlainText);
        QVERIFY(!h.window->phase2()->isRunning());
        QCOMPARE(startTypeOf(machine, "Spooler"), QStringLiteral("auto"));
    }

    void testExecutionWithDialogAndSummary()
    {
        TestMachine machine(machineWith({{"services", {{"Spooler", {{"state", "running"}, {"startType", "auto"}}}}}}));
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        h.window->setTheme(0);
        auto* page = h.window->findChild<Phase2Page*>();
        page->show();
        QList<SeenBox> seen;
        answerBox(seen, kAccept);
        answerBox(seen, kAccept);
        answerBox(seen, kAccept);
        QVERIFY(h.window->executePhase2({spooler()}));
        Phase2ProgressDialog* dialog = nullptr;
        bool begun = false;
        whenBegun(h, [&] {
            begun = true;
            QVERIFY(page->isHidden());
            dialog = h.window->phase2()->progressDialog();
            QVERIFY(dialog->isVisible());
            QVERIFY(dialog->styleSheet().contains(QStringLiteral("#141923")));
            QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("phase2Status"))->text(), QStringLiteral("准备执行..."));

            // Until the result is delivered the execution exists: a second request is refused.
            QVERIFY(!h.window->executePhase2({spooler()}));
            QCOMPARE(seen.last().title, QStringLiteral("正在优化"));
        });
        QTRY_VERIFY(begun);
        QTRY_VERIFY(!h.window->phase2()->isRunning());
        QCOMPARE(seen.last().title, QStringLiteral("优化完成"));
        QCOMPARE(seen.last().text, QStringLiteral("您的电脑已经完成优化！\n\n本次共执行 1 项优化：\n打印后台服务（Spooler）：已设为手动启动"));
        QCOMPARE(seen.last().format, Qt::PlainText);
        QVERIFY(dialog->isHidden());
        QCOMPARE(dialog->findChild<QProgressBar*>(QStringLiteral("phase2Bar"))->value(), 100);
        QCOMPARE(startTypeOf(machine, "Spooler"), QStringLiteral("manual"));
    }

    void testClosingWhileRunningWaitsForTheItem()
    {
        TestMachine machine(machineWith({{"services", {{"Spooler", {{"state", "running"}, {"startType", "auto"}}}}}}));
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        h.window->show();
        QList<SeenBox> seen;
        answerBox(seen, kAccept);
        OptItem other;
        other.id = QStringLiteral("C13");
        other.title = QStringLiteral("分布式链接追踪");
        answerBox(seen, kAccept);
        QVERIFY(h.window->executePhase2({spooler(), other}));
        bool closed = true;
        bool closeAsked = false;
        whenBegun(h, [&] {
            closeAsked = true;
            closed = h.window->close();
        });
        answerBox(seen, kAccept);
        QTRY_VERIFY(closeAsked);
        QVERIFY(!closed);
        QCOMPARE(seen.at(1).title, QStringLiteral("正在优化"));
        // No phase-1 run starts beside it.
        QTRY_VERIFY(!h.window->isVisible());
        QVERIFY(!h.window->phase1Thread());
        QCOMPARE(seen.last().title, QStringLiteral("优化完成"));
    }

    void testProgressDialogCutsTheSummary()
    {
        Phase2ProgressDialog dialog;
        dialog.onFinished(QString(450, QLatin1Char('x')));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("phase2Status"))->text().size(), 400);
        dialog.show();
        dialog.findChild<QPushButton*>(QStringLiteral("phase2CloseBtn"))->click();
        QVERIFY(dialog.isHidden());
    }

    void testRestorePointQuestion_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("kept");
        QTest::addRow("three points, keep 3") << 3 << "系统还原点清理" << 3;
        QTest::addRow("no point") << 0 << "系统还原点清理" << 1;
    }

    void testRestorePointQuestion()
    {
        QFETCH(int, points);
        nlohmann::json list = nlohmann::json::array();
        for (int i = 0; i < points; ++i)
            list.push_back({{"sequenceNumber", 10 + i}, {"description", "p"}});
        TestMachine machine(machineWith({{"restorePoints", list}}));
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        QString label;
        DialogRunner::setNextAnswer([&label](QDialog& dialog) {
            if (auto* input = qobject_cast<ThemedInput*>(&dialog)) {
                label = input->text();
                input->setIntValue(3);
                input->accept();
                return;
            }
            label = qobject_cast<ThemedMessage*>(&dialog)->text();
            dialog.accept();
        });
        h.window->findChild<Phase2Page*>()->setItemChecked(QStringLiteral("H2"), true);
        QTRY_VERIFY(!label.isEmpty());
        QTEST(h.window->restorePointsToKeep(), "kept");
        QVERIFY(label.startsWith(points ? QStringLiteral("检测到 %1 个还原点。").arg(points)
                                        : QStringLiteral("未检测到系统还原点，无需清理。")));
    }

    void testEventLogSizeQuestion()
    {
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        DialogRunner::setNextAnswer([](QDialog& dialog) {
            auto* input = qobject_cast<ThemedInput*>(&dialog);
            QCOMPARE(input->choices(), (QStringList{"128 MB", "256 MB", "512 MB", "1 GB"}));
            QCOMPARE(input->choice(), QStringLiteral("256 MB"));
            input->setChoice(QStringLiteral("512 MB"));
            input->accept();
        });
        h.window->onSpecialConfirmRequested(QStringLiteral("A2"), QStringLiteral("A2"));
        QCOMPARE(h.window->eventLogSizeMB(), 512);
        DialogRunner::setNextAnswer([](QDialog& dialog) { dialog.reject(); });
        h.window->onSpecialConfirmRequested(QStringLiteral("A2"), QStringLiteral("A2"));
        QCOMPARE(h.window->eventLogSizeMB(), 512);
    }
};

QTEST_MAIN(TestPhase2Execution)
#include "TestPhase2Execution.moc"
