#include "Phase2PageProbe.h"
#include "WindowHarness.h"

#include "phase2/OptCatalogue.h"
#include "platform/sim/DefaultMachine.h"
#include "support/BlockingMachine.h"
#include "support/TestMachine.h"
#include "ui/dialogs/ThemedInput.h"
#include "ui/feedback/FeedbackPage.h"
#include "ui/phase2/GroupCard.h"
#include "ui/phase2/Phase2Page.h"
#include "ui/result/ResultPage.h"
#include "ui/result/ResultRules.h"

#include <QCheckBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

namespace {

constexpr int kRunTimeoutMs = 120000;

QStringList demoArguments()
{
    return {QStringLiteral("tidewell"), QStringLiteral("--cs")};
}

QStringList ids(const OptGroup& group)
{
    QStringList result;
    for (const OptItem& item : group.items)
        result.append(item.id);
    return result;
}

// Answers the next dialog: an input dialog gets `value` (a number or an item text) and OK, or is cancelled
// when `value` is empty; a message box is closed. Its title and text are recorded.
void answerNext(const QString& value, QStringList* seen)
{
    DialogRunner::setNextAnswer([value, seen](QDialog& dialog) {
        if (auto* input = qobject_cast<ThemedInput*>(&dialog)) {
            seen->append(dialog.windowTitle() + QLatin1Char('|') + input->text());
            if (value.isEmpty())
                return dialog.reject();
            if (input->asksForNumber())
                input->setIntValue(value.toInt());
            else
                input->setChoice(value);
            return dialog.accept();
        }
        auto* box = qobject_cast<ThemedMessage*>(&dialog);
        seen->append(dialog.windowTitle() + QLatin1Char('|') + (box ? box->text() : QString()));
        QCOMPARE(box ? box->findChild<QLabel*>("messageText")->textFormat() : Qt::AutoText, Qt::PlainText);
        dialog.close();
    });
}

} // namespace

// The window's way from the start button through the result page into phase 2, on the default simulated
// PC and in demonstration mode, with the questions some items ask.
class TestPhase2Flow : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        DialogRunner::clearAnswers();
        platform::setCurrent(nullptr);
    }

    void testRunOnTheDefaultMachineFillsResultAndPhase2()
    {
        TestMachine machine(platform::sim::defaultMachineProfile());
        platform::setCurrent(&machine.platform());
        WindowHarness h;
        h.stick.writeFile(QStringLiteral("../../eula_accepted.flag"), "1");
        h.window->show();
        auto* result = h.window->findChild<ResultPage*>();
        auto* phase2 = h.window->findChild<Phase2Page*>();
        h.button(QStringLiteral("startBtn"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(result->isVisible() && !h.window->phase1Thread(), kRunTimeoutMs);

        const Phase1Result& run = h.window->lastPhase1Result();
        QVERIFY(run.cleanedMB > 0);
        QCOMPARE(result->healthScore(), ResultRules::healthScore(run.cleanedMB, run.freedMemoryMB, run.junkFilesCount));
        QTRY_COMPARE(result->animationProgress(), 100);
        QCOMPARE(h.label(QStringLiteral("cardValue1"))->text(), QStringLiteral("%1 MB").arg(run.cleanedMB));
        const ResultRules::FindingCounts counts = ResultRules::findingCounts(run.report);
        QVERIFY(counts.browserHijacks < run.report.browserItems.size());
        QCOMPARE(h.label(QStringLiteral("cardBhjValue"))->text(), QStringLiteral("%1 个").arg(counts.browserHijacks));
        QVERIFY(phase2->hasReport());

        h.button(QStringLiteral("cardStartup"))->click();
        QVERIFY(phase2->isVisible());
        QVERIFY(!result->isVisible());
        // The start-up card is scrolled into view at once, on the page's first showing.
        auto* scroll = phase2->findChild<QScrollArea*>(QStringLiteral("p2ScrollArea"));
        GroupCard* startup = phase2->card(OptCatalogue::kStartupGroup);
        const QRect card(startup->mapTo(scroll->viewport(), QPoint(0, 0)), startup->size());
        QVERIFY(scroll->verticalScrollBar()->value() > 0);
        QVERIFY(scroll->viewport()->rect().intersects(card));
        QVector<OptGroup> expected = OptCatalogue::build();
        OptCatalogue::applyReport(expected, run.report);
        for (int g = OptCatalogue::kStartupGroup; g < OptCatalogue::kGroupCount; ++g)
            QCOMPARE(ids(phase2->groups().at(g)), ids(expected.at(g)));
        // The default machine has risky start-up entries and conflicting products (the junk-software group
        // depends on the signature files beside the program).
        QVERIFY(phase2->groups().at(OptCatalogue::kStartupGroup).items.size() > 1);
        QVERIFY(phase2->groups().at(OptCatalogue::kConflictGroup).items.size() > 1);
    }

    void testDemonstrationShowsTheSample()
    {
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        WindowHarness h(demoArguments());
        h.window->show();
        h.button(QStringLiteral("startBtn"))->click();
        auto* result = h.window->findChild<ResultPage*>();
        QVERIFY(result->isVisible());
        QCOMPARE(result->healthScore(), 96);
        const QString expected[][2] = {
            {"cardStartupValue", "1 个"}, {"cardAdwValue", "2 个"}, {"cardBhjValue", "1 个"}, {"cardPopValue", "1 个"}};
        for (const auto& row : expected)
            QCOMPARE(h.label(row[0])->text(), row[1]);
        QVERIFY(h.window->findChild<QWidget*>(QStringLiteral("storageCard"))->isVisible());

        h.button(QStringLiteral("phase2EntryBtn"))->click();
        auto* phase2 = h.window->findChild<Phase2Page*>();
        QVERIFY(phase2->isVisible());
        QCOMPARE(ids(phase2->groups().at(4)), QStringList({"HJ_AppInit_DLLs", "ST:1:某加速器"}));
        QCOMPARE(ids(phase2->groups().at(5)), QStringList({"ADW_adw-001", "ADW_adw-060", "RES:adw-060"}));
        QCOMPARE(ids(phase2->groups().at(6)), QStringList({"FAM_antivirus_0"}));

        // Executing in demonstration mode changes nothing: the summary says so before the sample lines, then
        // the result page with its question comes back; no thanks for feedback nobody gave.
        QStringList seen;
        answerNext(QString(), &seen);
        h.button(QStringLiteral("p2Execute"))->click();
        QCOMPARE(seen, QStringList{QStringLiteral("提示|请先勾选要执行的优化项。")});
        itemBox(*phase2, QStringLiteral("RES:adw-060"))->setChecked(true);
        answerNext(QString(), &seen);
        h.button(QStringLiteral("p2Execute"))->click();
        QTRY_VERIFY(seen.size() == 2);
        QVERIFY(seen.last().startsWith(QStringLiteral(
            "演示完成|这是演示：这台电脑的任何设置都没有改动，以下结果仅供演示。\n\n本次共执行 1 项优化：\n")));
        QVERIFY(seen.last().contains(QStringLiteral("快压 残留清理")));
        QTRY_VERIFY(!phase2->isVisible());
        QVERIFY(result->isVisible());
        const auto feedbackPages = h.window->findChildren<FeedbackPage*>();
        QVERIFY(std::none_of(feedbackPages.begin(), feedbackPages.end(), [](auto* page) { return page->isVisible(); }));
    }

    void testSkipLeavesPhase2()
    {
        WindowHarness h(demoArguments());
        h.window->show();
        h.button(QStringLiteral("startBtn"))->click();
        h.button(QStringLiteral("phase2EntryBtn"))->click();
        auto* phase2 = h.window->findChild<Phase2Page*>();
        QVERIFY(phase2->isVisible());
        h.button(QStringLiteral("p2Skip"))->click();
        QVERIFY(!phase2->isVisible());
        QVERIFY(!h.window->findChild<ResultPage*>()->isVisible());
    }

    void testConfirmations_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("restorePoints");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("keepN");
        QTest::addColumn<int>("logMB");
        QTest::addColumn<int>("dialogs");
        QTest::addRow("H2 keeps 3") << "H2" << 4 << "3" << true << 3 << 256 << 1;
        QTest::addRow("H2 cancelled unticks") << "H2" << 4 << "" << false << 1 << 256 << 1;
        QTest::addRow("H2 without points unticks") << "H2" << 0 << "" << false << 1 << 256 << 1;
        QTest::addRow("H2 with an unknown count") << "H2" << -1 << "2" << true << 2 << 256 << 1;
        QTest::addRow("A2 1 GB") << "A2" << 0 << "1 GB" << true << 1 << 1024 << 1;
        QTest::addRow("A2 128 MB") << "A2" << 0 << "128 MB" << true << 1 << 128 << 1;
        QTest::addRow("A2 cancelled unticks") << "A2" << 0 << "" << false << 1 << 256 << 1;
        QTest::addRow("C9 asks at execution") << "C9" << 0 << "" << true << 1 << 256 << 0;
    }

    void testConfirmations()
    {
        QFETCH(QString, id);
        QFETCH(int, restorePoints);
        QFETCH(QString, answer);
        QFETCH(bool, ticked);
        QFETCH(int, keepN);
        QFETCH(int, logMB);
        QFETCH(int, dialogs);
        WindowHarness h;
        h.window->setRestorePointCounter([restorePoints] { return restorePoints; });
        auto* phase2 = h.window->findChild<Phase2Page*>();
        QStringList seen;
        answerNext(answer, &seen);
        itemBox(*phase2, id)->setChecked(true);
        QTRY_COMPARE(seen.size(), dialogs);
        QCOMPARE(itemBox(*phase2, id)->isChecked(), ticked);
        QCOMPARE(h.window->restorePointsToKeep(), keepN);
        QCOMPARE(h.window->eventLogSizeMB(), logMB);
        if (id == QLatin1String("H2") && restorePoints > 0)
            QVERIFY(seen.first().startsWith(QStringLiteral("系统还原点清理|检测到 4 个还原点。\n")));
        if (restorePoints == 0 && id == QLatin1String("H2"))
            QCOMPARE(seen.first(), QStringLiteral("系统还原点清理|未检测到系统还原点，无需清理。"));
        QCOMPARE(phase2->selectedItems().size(), ticked ? 1 : 0);
    }

    // The listings behind the "H2" question and the "C9" warning hang; `meanwhile` is what the user does
    // before they answer, if they ever do.
    void testListingsNeverHoldTheWindow_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("question");
        const QString count = QStringLiteral("系统还原点清理|检测到 2 个还原点。\n");
        const QString printers = QStringLiteral("打印后台服务|检测到您安装了以下打印机：\n• Office\n\n");
        QTest::addRow("H2 asks once counted") << "H2" << "" << count;
        QTest::addRow("H2 ticked again asks once") << "H2" << "retick" << count;
        QTest::addRow("H2 unticked asks nothing") << "H2" << "untick" << "";
        QTest::addRow("H2 window closed") << "H2" << "close" << "";
        QTest::addRow("H2 silent machine") << "H2" << "silent" << "系统还原点清理|系统还原点查询 10 秒内没有回应，未能统计现有数量。\n";
        QTest::addRow("C9 warns once listed") << "C9" << "" << printers;
        QTest::addRow("C9 clicked twice warns once") << "C9" << "execute" << printers;
        QTest::addRow("C9 window closed") << "C9" << "close" << "";
        QTest::addRow("C9 stopped spooler knows no printer")
            << "C9" << "spooler stopped" << "打印后台服务|检测到您安装了以下打印机：\n（未检测到打印机）\n";
        QTest::addRow("C9 silent spooler") << "C9" << "silent" << "打印后台服务|检测到您安装了以下打印机：\n（10 秒内未能列出打印机，系统没有回应）\n";
    }

    void testListingsNeverHoldTheWindow()
    {
        QFETCH(QString, id);
        QFETCH(QString, meanwhile);
        QFETCH(QString, question);
        nlohmann::json profile = TestMachine::windows10();
        platform::sim::mergeProfile(profile, {{"printers", {{{"name", "Office"}}}},
                                              {"restorePoints", {{{"sequenceNumber", 7}}, {{"sequenceNumber", 8}}}}});
        if (meanwhile == QLatin1String("spooler stopped"))
            profile["printerError"] = platform::RpcServerUnavailable;
        TestMachine machine(profile);
        BlockingMachine blocking(machine.platform());
        platform::setCurrent(&blocking.platform());
        WindowHarness h;
        h.window->show();
        auto* phase2 = h.window->findChild<Phase2Page*>();
        QStringList seen;
        answerNext(QStringLiteral("2"), &seen);
        itemBox(*phase2, id)->setChecked(true);
        QVERIFY(id != QLatin1String("C9") || h.window->executePhase2(phase2->selectedItems()));
        QTRY_COMPARE(blocking.busy.load(), 1);
        bool loopRan = false;
        QTimer::singleShot(0, [&loopRan] { loopRan = true; });
        QTRY_VERIFY(loopRan && seen.isEmpty());
        if (meanwhile.endsWith(QLatin1String("tick")))
            itemBox(*phase2, id)->setChecked(false);
        if (meanwhile == QLatin1String("retick"))
            itemBox(*phase2, id)->setChecked(true);
        QVERIFY(meanwhile != QLatin1String("execute") || !h.window->executePhase2(phase2->selectedItems()));
        if (meanwhile == QLatin1String("close")) {
            QVERIFY(h.window->close());
            h.window.reset();
        }
        if (meanwhile != QLatin1String("silent"))
            blocking.release();
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), question.isEmpty() ? 0 : 1, 15000);
        QTRY_COMPARE(blocking.busy.load(), meanwhile == QLatin1String("silent") ? 1 : 0);
        QTest::qWait(100);
        QCOMPARE(seen.size(), question.isEmpty() ? 0 : 1);
        QVERIFY2(question.isEmpty() || seen.first().startsWith(question), qPrintable(seen.value(0)));
        QVERIFY(!h.window || itemBox(*phase2, id)->isChecked() == (meanwhile != QLatin1String("untick")));
    }
};

QTEST_MAIN(TestPhase2Flow)
#include "TestPhase2Flow.moc"
