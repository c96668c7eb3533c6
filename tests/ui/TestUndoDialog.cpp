#include "engine/undo/ChangeRecord.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TestMachine.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/ThemedMessage.h"
#include "ui/dialogs/UndoDialog.h"
#include "ui/main/FlowHost.h"
#include "ui/main/FooterActions.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using platform::sim::mergeProfile;

namespace
{

const QString kDevice = QStringLiteral("0123456789abcdef");

nlohmann::json scannerDisabled()
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, {{"registry", {{"HKLM\\SOFTWARE\\Microsoft\\Cryptography", {{"MachineGuid", "pc-1"}}}}},
                           {"services", {{"stisvc", {{"state", "stopped"}, {"startType", "disabled"}}}}}});
    return profile;
}

void writeRecord(const QString& folder, const QString& device, const char* started)
{
    QDir().mkpath(folder);
    const ChangeRecord::Header header{device, QStringLiteral("pc-1"), QStringLiteral("phase1"),
                                      QDateTime::fromString(QLatin1String(started), Qt::ISODate)};
    QFile file(QStringLiteral("%1/changes_%2_%3.jsonl")
                   .arg(folder, device, header.started.toString(QStringLiteral("yyyyMMdd_HHmmss"))));
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(header.toJson()).toJson(QJsonDocument::Compact) + "\n" +
               QJsonDocument(QJsonObject{{"kind", "serviceStart"}, {"service", "stisvc"}, {"prior", 2}})
                   .toJson(QJsonDocument::Compact) +
               "\n");
}

// A window in the middle of a run, as the footer's actions see it.
class WorkingHost : public FlowHost {
public:
    QWidget* dialogParent() override { return nullptr; }
    int theme() const override { return 2; }
    bool isRunWorking() const override { return true; }
};

bool waitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000)
        QTest::qWait(10);
    return done();
}

} // namespace

// The undo dialog: it lists this PC's runs only, restores the chosen one after a confirmation, and shows
// each result line and the totals.
class TestUndoDialog : public QObject
{
    Q_OBJECT

private:
    // Opens the dialog on `folder`, lets it list, runs `act` on it and closes it.
    void withDialog(TestMachine& machine, const QString& folder, const std::function<void(QDialog&)>& act)
    {
        DialogRunner::setNextAnswer([&](QDialog& dialog) {
            auto* runs = dialog.findChild<QListWidget*>(QStringLiteral("undoRunList"));
            QVERIFY(waitFor([&] { return runs->item(0)->text() != QStringLiteral("正在读取优化记录..."); }));
            act(dialog);
            dialog.findChild<QPushButton*>(QStringLiteral("undoCloseBtn"))->click();
        });
        UndoDialog dialog(nullptr, machine.platform(), folder, kDevice, 2);
        DialogRunner::exec(dialog);
        QCOMPARE(DialogRunner::pendingAnswers(), 0);
    }

private slots:
    void cleanup() { DialogRunner::clearAnswers(); }

    void testListsThisPcsRunsAndRestoresOne_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("startType");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("confirmed") << true << QStringLiteral("auto")
                                   << QStringList{
                                          QStringLiteral("服务 stisvc：已恢复"),
                                          QStringLiteral("撤销完成：已恢复 1 项，已是原状 0 项，恢复失败 0 项")};
        QTest::addRow("cancelled") << false << QStringLiteral("disabled") << QStringList{};
    }

    void testListsThisPcsRunsAndRestoresOne()
    {
        QFETCH(bool, confirmed);
        QFETCH(QString, startType);
        QFETCH(QStringList, lines);
        TestMachine machine(scannerDisabled());
        QTemporaryDir folder;
        writeRecord(folder.path(), kDevice, "2026-12-09T01:30:00");
        writeRecord(folder.path(), QStringLiteral("fedcba9876543210"), "2026-12-09T02:00:00");
        QString confirmation;
        withDialog(machine, folder.path(), [&](QDialog& dialog) {
            auto* runs = dialog.findChild<QListWidget*>(QStringLiteral("undoRunList"));
            QCOMPARE(runs->count(), 1);
            QCOMPARE(runs->item(0)->text(), QStringLiteral("2026-12-09 01:30:00   一键优化   1 项更改"));
            DialogRunner::setNextAnswer([&](QDialog& box) {
                auto& question = static_cast<ThemedMessage&>(box);
                confirmation = question.text();
                (confirmed ? question.acceptButton() : question.rejectButton())->click();
            });
            dialog.findChild<QPushButton*>(QStringLiteral("undoRestoreBtn"))->click();
            auto* close = dialog.findChild<QPushButton*>(QStringLiteral("undoCloseBtn"));
            QVERIFY(waitFor([&] { return close->isEnabled(); }));
            const QString text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("undoResults"))->toPlainText();
            QCOMPARE(text.split(QLatin1Char('\n'), Qt::SkipEmptyParts), lines);
            // A run undone in full is marked in the list.
            QCOMPARE(runs->item(0)->text().endsWith(QStringLiteral(" 撤销")), confirmed);
        });
        QVERIFY(confirmation.endsWith(QStringLiteral("2026-12-09 01:30:00   一键优化   1 项更改")));
        machine.reopen();
        QCOMPARE(QString::fromStdString(machine.machine().document()["services"]["stisvc"]["startType"]), startType);
    }

    void testNoRecordsOffersNothing()
    {
        TestMachine machine(scannerDisabled());
        withDialog(machine, QString(), [](QDialog& dialog) {
            auto* runs = dialog.findChild<QListWidget*>(QStringLiteral("undoRunList"));
            QCOMPARE(runs->count(), 1);
            QCOMPARE(runs->item(0)->text(), QStringLiteral("这台电脑还没有可以撤销的优化记录"));
            QCOMPARE(runs->item(0)->flags(), Qt::NoItemFlags);
            QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("undoRestoreBtn"))->isEnabled());
        });
    }

    void testRefusedWhileARunWorks()
    {
        WorkingHost host;
        FooterActions actions(host, QString(), false);
        QStringList shown;
        DialogRunner::setNextAnswer([&shown](QDialog& dialog) {
            shown << dialog.windowTitle() << dialog.findChild<QLabel*>(QStringLiteral("messageText"))->text();
            dialog.close();
        });
        actions.showUndo();
        QCOMPARE(shown, (QStringList{QStringLiteral("正在优化"), QStringLiteral("请等这次优化完成后再撤销。")}));
        QCOMPARE(DialogRunner::pendingAnswers(), 0);
    }
};

QTEST_MAIN(TestUndoDialog)
#include "TestUndoDialog.moc"
