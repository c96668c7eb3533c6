#include "WindowHarness.h"

#include "ui/dialogs/AgreementText.h"
#include "ui/dialogs/EulaDialog.h"
#include "ui/main/AgreementGate.h"
#include "ui/progress/ProgressPage.h"

#include <QDir>
#include <QFileInfo>
#include <QTextEdit>
#include <QtTest>

// The gate in front of phase 1, on its own and through the start button (refusals only: a run that gets past
// the gate is in TestPhase1Run).
class TestAgreementGate : public QObject {
    Q_OBJECT

private slots:
    void testFlagLiesTwoFoldersAboveTheProgram()
    {
        TempStick stick;
        const AgreementGate gate(stick.appDir());
        QCOMPARE(QFileInfo(gate.flagPath()).absoluteFilePath(),
                 QFileInfo(stick.root() + QStringLiteral("/eula_accepted.flag")).absoluteFilePath());
    }

    void testFlagPresentPassesWithoutAsking()
    {
        TempStick stick;
        stick.writeFile(QStringLiteral("../../eula_accepted.flag"), "1");
        QVERIFY(AgreementGate(stick.appDir()).pass(nullptr));
        QCOMPARE(DialogRunner::pendingAnswers(), 0);
    }

    void testRefusedStaysHomeAndAsksAgain()
    {
        WindowHarness h;
        h.window->show();
        h.answerWith(QStringLiteral("exitBtn"));
        h.button(QStringLiteral("startBtn"))->click();
        QCOMPARE(h.dialogTitles, QStringList{QStringLiteral("使用前请阅读用户协议")});
        QVERIFY(h.window->findChild<ProgressPage*>()->isHidden());
        QVERIFY(!h.window->phase1Thread());
        QVERIFY(!QFileInfo::exists(h.flagPath()));

        h.answerWith(QString());
        h.button(QStringLiteral("startBtn"))->click();
        QCOMPARE(h.dialogTitles.size(), 2);
        QVERIFY(h.window->findChild<ProgressPage*>()->isHidden());
        QVERIFY(!QFileInfo::exists(h.flagPath()));
    }

    void testAcceptedWritesTheFlag()
    {
        TempStick stick;
        const AgreementGate gate(stick.appDir());
        DialogRunner::setNextAnswer([](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("agreeBtn"))->click();
            QVERIFY(static_cast<EulaDialog&>(dialog).isAccepted());
        });
        QVERIFY(gate.pass(nullptr));
        QCOMPARE(stick.readFile(QStringLiteral("../../eula_accepted.flag")), QByteArray("1"));
        QVERIFY(gate.pass(nullptr));
    }

    void testAcceptedTruncatesAnOldFlagOnlyWhenAsked()
    {
        TempStick stick;
        DialogRunner::setNextAnswer(
            [](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("agreeBtn"))->click(); });
        QVERIFY(AgreementGate(stick.appDir()).pass(nullptr));
        QCOMPARE(QFileInfo(stick.root() + QStringLiteral("/eula_accepted.flag")).size(), 1);
    }

    void testUnwritableFlagStillPasses()
    {
        TempStick stick;
        // A folder where the flag file should be: the file cannot be written.
        const QString flag = stick.root() + QStringLiteral("/blocked/eula_accepted.flag");
        QDir().mkpath(flag);
        EulaDialog dialog(flag);
        DialogRunner::setNextAnswer(
            [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("agreeBtn"))->click(); });
        QCOMPARE(DialogRunner::exec(dialog), int(QDialog::Accepted));
        QVERIFY(dialog.isAccepted());
        QVERIFY(QFileInfo(flag).isDir());
    }

    void testClosingTheDialogCountsAsExit()
    {
        TempStick stick;
        EulaDialog dialog(stick.root() + QStringLiteral("/eula_accepted.flag"));
        DialogRunner::setNextAnswer([](QDialog& d) { d.close(); });
        QCOMPARE(DialogRunner::exec(dialog), int(QDialog::Rejected));
        QVERIFY(!dialog.isAccepted());
        QVERIFY(!QFileInfo::exists(stick.root() + QStringLiteral("/eula_accepted.flag")));
    }

    void testDialogShowsTheAgreementFromItsStart()
    {
        TempStick stick;
        const AgreementGate gate(stick.appDir());
        QString html;
        int cursor = -1;
        QString title;
        QSize minimum;
        DialogRunner::setNextAnswer([&](QDialog& dialog) {
            auto* text = dialog.findChild<QTextEdit*>(QStringLiteral("textEdit"));
            html = text->toPlainText();
            cursor = text->textCursor().position();
            QVERIFY(text->isReadOnly());
            QCOMPARE(text->styleSheet(),
                     QStringLiteral("font-size: 14px; border: 1px solid #BDC3C7; border-radius: 4px;"));
            title = dialog.findChild<QLabel*>(QStringLiteral("titleLabel"))->text();
            minimum = dialog.minimumSize();
            QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("exitBtn"))->text(), QStringLiteral("退出"));
            QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("agreeBtn"))->text(), QStringLiteral("同意并继续"));
            dialog.findChild<QPushButton*>(QStringLiteral("exitBtn"))->click();
        });
        QVERIFY(!gate.pass(nullptr));
        QCOMPARE(cursor, 0);
        QCOMPARE(title, QStringLiteral("使用前请阅读用户协议"));
        QCOMPARE(minimum, QSize(600, 450));
        QVERIFY(html.contains(QStringLiteral("一、协议主体与生效规则")));
        QVERIFY(html.contains(QStringLiteral("本协议是您与“Brightdesk”工具之间的法律协议...")));
        QVERIFY(html.contains(QStringLiteral("更多详细条款请访问...")));
    }

    void testAgreementTextIsExact()
    {
        const QString html = agreementHtml();
        QVERIFY(html.startsWith(
            QStringLiteral("\n<p><b>一、协议主体与生效规则</b><br>\n本协议是您与“Brightdesk”工具之间")));
        QVERIFY(html.contains(QStringLiteral("</p>\n\n<p><b>二、安全与隐私承诺</b><br>\n"
                                             "本工具仅清理系统与软件自动生成的临时缓存文件，"
                                             "<b>绝不扫描、读取、删除您的个人文件与隐私数据</b>，"
                                             "所有操作日志仅保存在您的U盘本地，"
                                             "不上传任何信息。</p>\n\n<p><b>三、免责声明</b><br>\n")));
        QVERIFY(html.contains(QStringLiteral("不承担责任。实际效果因电脑配置、使用环境而异。</p>\n\n")));
        QVERIFY(html.endsWith(QStringLiteral("<p>更多详细条款请访问...</p>\n    ")));
    }

    void testDialogLookIsTheSameInEveryTheme()
    {
        EulaDialog dialog(QStringLiteral("/nonexistent/flag"));
        const QString sheet = dialog.styleSheet();
        QVERIFY(sheet.contains(QStringLiteral("#titleLabel { color: #2C3E50; font-weight: bold; }")));
        QVERIFY(sheet.contains(QStringLiteral("#agreeBtn:hover { background-color: #2E86C1; }")));
        QVERIFY(sheet.contains(QStringLiteral("#exitBtn:hover { background-color: #7F8C8D; }")));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("使用前请阅读用户协议"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("titleLabel"))->font().pointSize(), 20);
    }
};

QTEST_MAIN(TestAgreementGate)
#include "TestAgreementGate.moc"
