#include "app/shots/ScreenshotSet.h"

#include "log/RunLogger.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/Phase2ProgressDialog.h"
#include "ui/dialogs/ThemedMessage.h"
#include "ui/dialogs/UpdatePromptDialog.h"
#include "ui/feedback/FeedbackPage.h"
#include "ui/main/Optimizer.h"
#include "ui/phase2/GroupCard.h"
#include "ui/phase2/ItemQuestions.h"
#include "ui/phase2/Phase2Page.h"
#include "ui/progress/ProgressPage.h"
#include "ui/result/ResultPage.h"
#include "update/VersionNumber.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTextStream>
#include <QThread>

#include <functional>

namespace
{

const char* const kThemeNames[] = {"dark", "warm", "light"};
const char* const kModeButtons[] = {"gameModeBtn", "elderModeBtn", "proModeBtn"};

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The dialog as it appears over the window: centred on it.
QPixmap overWindow(Optimizer& window, QDialog& dialog)
{
    QPixmap picture = window.grab();
    const QPixmap face = dialog.grab();
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), QColor(0, 0, 0, 60));
    painter.drawPixmap((picture.width() - face.width()) / 2, (picture.height() - face.height()) / 2, face);
    return picture;
}

constexpr int kRunTimeoutMs = 180000;

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return done();
}

} // namespace

ScreenshotSet::ScreenshotSet(const QString& outDir) : out(outDir) {}

int ScreenshotSet::run()
{
    QDir().mkpath(out.path());
    const QString appDir = stick.path() + QStringLiteral("/Tidewell/app");
    QDir().mkpath(appDir);
    QFile::copy(QStringLiteral(":/ICON/T512.png"), appDir + QStringLiteral("/T512.png"));
    // The window's update check must not reach out while the screens are drawn: point it at a closed
    // loopback port.
    QFile config(appDir + QStringLiteral("/updater.config"));
    if (config.open(QIODevice::WriteOnly))
        config.write(R"({"update_url": "http://127.0.0.1:9/check"})");
    config.close();

    Optimizer window(QStringList(), appDir);
    window.show();
    settle();
    for (int themeIndex = 0; themeIndex < 3; ++themeIndex)
        shootTheme(window, themeIndex);

    Optimizer demo(QStringList{QStringLiteral("tidewell"), QStringLiteral("--cs")}, appDir);
    demo.show();
    demo.findChild<QPushButton*>(QStringLiteral("startBtn"))->click();
    const bool ran = runPhase1(window);
    for (int themeIndex = 0; themeIndex < 3; ++themeIndex) {
        if (ran)
            shootFlow(window, themeIndex, QStringLiteral("run"));
        shootFlow(demo, themeIndex, QStringLiteral("demo"));
        shootConfirmation(demo, QLatin1String(kThemeNames[themeIndex]) + QStringLiteral("-confirm-h2.png"));
        shootExecution(demo, QLatin1String(kThemeNames[themeIndex]) + QLatin1Char('-'));
    }
    for (int themeIndex = 0; ran && themeIndex < 3; ++themeIndex)
        shootUndo(window, themeIndex);
    platform::setCurrent(nullptr);
    return failures;
}

void ScreenshotSet::shootTheme(Optimizer& window, int themeIndex)
{
    window.findChild<QPushButton*>(QLatin1String(kModeButtons[themeIndex]))->click();
    // The start button takes its theme size when the window is shown.
    window.hide();
    window.show();
    settle();
    const QString prefix = QLatin1String(kThemeNames[themeIndex]) + QLatin1Char('-');
    save(window.grab(), prefix + QStringLiteral("home.png"));
    shootProgress(window, prefix, themeIndex);
    shootDialog(window, "startBtn", "exitBtn", prefix + QStringLiteral("agreement.png"));
    shootDialog(window, "aboutBtn", "okBtn", prefix + QStringLiteral("about.png"));
    shootDialog(window, "kefuBtn", "imageCloseBtn", prefix + QStringLiteral("image.png"));
    shootFeedback(window, prefix);
    shootUpdatePrompt(window, prefix, themeIndex);
    shootPhase2Progress(window, prefix, themeIndex);
    shootMessages(window, prefix, themeIndex);
}

DialogRunner::Answer ScreenshotSet::saveAndClose(Optimizer& window, const QString& file, bool accept)
{
    return [this, &window, file, accept](QDialog& dialog) {
        settle();
        save(overWindow(window, dialog), file);
        accept ? dialog.accept() : dialog.reject();
    };
}

void ScreenshotSet::shootMessages(Optimizer& window, const QString& prefix, int themeIndex)
{
    DialogRunner::setNextAnswer(saveAndClose(window, prefix + QStringLiteral("confirm-a2.png"), false));
    int sizeMB = 0;
    ItemQuestions::askEventLogSize(&window, themeIndex, sizeMB);
    DialogRunner::setNextAnswer(saveAndClose(window, prefix + QStringLiteral("error.png"), true));
    MessageBox::critical(&window, themeIndex, QStringLiteral("优化失败"),
                         QStringLiteral("当前系统版本不支持（需Windows 7 SP1及以上）。"));
    DialogRunner::clearAnswers();
}

// Executing the print spooler's item on the demonstration: its warning, accepted, then the summary.
void ScreenshotSet::shootExecution(Optimizer& demo, const QString& prefix)
{
    DialogRunner::setNextAnswer(saveAndClose(demo, prefix + QStringLiteral("printer-warning.png"), true));
    bool summarised = false;
    const DialogRunner::Answer summary = saveAndClose(demo, prefix + QStringLiteral("summary-demo.png"), true);
    DialogRunner::setNextAnswer([&](QDialog& dialog) {
        summary(dialog);
        summarised = true;
    });
    OptItem spooler;
    spooler.id = QStringLiteral("C9");
    spooler.title = QStringLiteral("打印后台服务");
    spooler.confirmType = QStringLiteral("C9");
    if (demo.executePhase2({spooler}))
        waitUntil([&] { return summarised; }, kRunTimeoutMs);
    DialogRunner::clearAnswers();
}

void ScreenshotSet::shootFeedback(Optimizer& window, const QString& prefix)
{
    const char* const names[] = {"feedback-helpful.png", "feedback-average.png"};
    for (int mode : {FeedbackPage::kHelpful, FeedbackPage::kAverage}) {
        window.showFeedback(mode);
        settle();
        save(window.grab(), prefix + QLatin1String(names[mode]));
        for (FeedbackPage* page : window.findChildren<FeedbackPage*>())
            page->hide();
    }
}

void ScreenshotSet::shootUpdatePrompt(Optimizer& window, const QString& prefix, int themeIndex)
{
    const QString note =
        QStringLiteral("1. 清理速度提升 30%\n2. 修复部分电脑上启动项显示不全的问题\n3. 新增长辈关怀模式的大字提示");
    for (bool forced : {false, true}) {
        // An offer one step past the running version, as the check would make it.
        UpdatePromptDialog prompt(&window, themeIndex, QString::fromLatin1(version::kRunning) + QStringLiteral(".1"),
                                  note, forced);
        prompt.show();
        settle();
        save(overWindow(window, prompt),
             prefix + (forced ? QStringLiteral("update-forced.png") : QStringLiteral("update.png")));
        prompt.reject();
    }
}

void ScreenshotSet::shootPhase2Progress(Optimizer& window, const QString& prefix, int themeIndex)
{
    Phase2ProgressDialog dialog(&window);
    dialog.applyTheme(themeIndex);
    dialog.onProgress(66, QStringLiteral("正在执行：事件日志大小限制"));
    dialog.show();
    settle();
    save(overWindow(window, dialog), prefix + QStringLiteral("phase2-progress.png"));
}

void ScreenshotSet::shootProgress(Optimizer& window, const QString& prefix, int themeIndex)
{
    auto* page = window.findChild<ProgressPage*>();
    auto* content = window.findChild<QWidget*>(QStringLiteral("contentWidget"));
    page->setGeometry(content->rect());
    page->applyTheme(themeIndex);
    page->show();
    page->raise();
    page->onProgressUpdate(0, 0, QStringLiteral("正在检查系统环境..."));
    settle();
    save(window.grab(), prefix + QStringLiteral("progress-0.png"));
    page->onProgressUpdate(3, 50, QString());
    settle();
    save(window.grab(), prefix + QStringLiteral("progress-50.png"));
    page->onOptimizationDone();
    settle();
    save(window.grab(), prefix + QStringLiteral("progress-done.png"));
    // The done texts hand over to the window, which opens the result page (with no run behind it): let that
    // pass here, so that it does not cover the home page behind the next shots.
    waitUntil([] { return false; }, ProgressPage::kHandOverMs + 300);
    window.findChild<ResultPage*>()->hide();
    page->hide();
}

void ScreenshotSet::shootDialog(Optimizer& window, const char* button, const char* answerButton, const QString& file)
{
    DialogRunner::setNextAnswer([&](QDialog& dialog) {
        settle();
        save(overWindow(window, dialog), file);
        dialog.findChild<QPushButton*>(QLatin1String(answerButton))->click();
    });
    window.findChild<QPushButton*>(QLatin1String(button))->click();
    DialogRunner::clearAnswers();
}

bool ScreenshotSet::runPhase1(Optimizer& window)
{
    std::string error;
    machine = platform::sim::SimMachine::open(machineFolder.path().toStdString(), error);
    if (!machine) {
        QTextStream(stderr) << "tidewell-shots: cannot open the default machine: " << QString::fromStdString(error)
                            << "\n";
        ++failures;
        return false;
    }
    simulated = std::make_unique<platform::sim::SimPlatform>(*machine);
    platform::setCurrent(&simulated->platform());
    // The run keeps its change record beside the stick's logs, where the undo dialog looks for it.
    RunLogger::instance().initialize(stick.path() + QStringLiteral("/Tidewell/app"));
    DialogRunner::setNextAnswer(
        [](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("agreeBtn"))->click(); });
    window.findChild<QPushButton*>(QStringLiteral("startBtn"))->click();
    DialogRunner::clearAnswers();
    auto* result = window.findChild<ResultPage*>();
    if (waitUntil([&] { return result->isVisible() && !window.phase1Thread(); }, kRunTimeoutMs))
        return true;
    QTextStream(stderr) << "tidewell-shots: the run on the default machine did not finish\n";
    ++failures;
    return false;
}

// The result page with its figures counted up, then the phase-2 page at the top and at the report groups.
void ScreenshotSet::shootFlow(Optimizer& window, int themeIndex, const QString& name)
{
    const QString prefix = QLatin1String(kThemeNames[themeIndex]) + QLatin1Char('-');
    window.findChild<QPushButton*>(QLatin1String(kModeButtons[themeIndex]))->click();
    auto* result = window.findChild<ResultPage*>();
    auto* phase2 = window.findChild<Phase2Page*>();
    phase2->hide();
    result->applyTheme(themeIndex);
    while (result->animationProgress() < 100)
        result->animateNumbers();
    settle();
    save(window.grab(), prefix + QStringLiteral("result-%1.png").arg(name));
    result->findChild<QPushButton*>(QStringLiteral("phase2EntryBtn"))->click();
    settle();
    phase2->scrollToGroup(0);
    settle();
    save(window.grab(), prefix + QStringLiteral("phase2-%1-top.png").arg(name));
    phase2->scrollToGroup(4);
    settle();
    save(window.grab(), prefix + QStringLiteral("phase2-%1-groups.png").arg(name));
}

// Ticking "H2" asks how many restore points to keep; the picture is taken, then the question is cancelled.
void ScreenshotSet::shootConfirmation(Optimizer& window, const QString& file)
{
    auto* phase2 = window.findChild<Phase2Page*>();
    phase2->scrollToGroup(3);
    settle();
    bool asked = false;
    DialogRunner::setNextAnswer([&](QDialog& dialog) {
        settle();
        save(overWindow(window, dialog), file);
        dialog.reject();
        asked = true;
    });
    // The question waits for the restore points to be counted on a worker thread.
    const QList<QCheckBox*> boxes = phase2->card(3)->findChildren<QCheckBox*>();
    boxes.last()->setChecked(true);
    waitUntil([&] { return asked; }, kRunTimeoutMs);
    DialogRunner::clearAnswers();
}

void ScreenshotSet::shootUndo(Optimizer& window, int themeIndex)
{
    const QString prefix = QLatin1String(kThemeNames[themeIndex]) + QLatin1Char('-');
    window.findChild<QPushButton*>(QLatin1String(kModeButtons[themeIndex]))->click();
    DialogRunner::setNextAnswer([&](QDialog& dialog) {
        auto* runs = dialog.findChild<QListWidget*>(QStringLiteral("undoRunList"));
        auto* restore = dialog.findChild<QPushButton*>(QStringLiteral("undoRestoreBtn"));
        auto* close = dialog.findChild<QPushButton*>(QStringLiteral("undoCloseBtn"));
        const auto listed = [&] { return restore->isEnabled() || runs->item(0)->flags() == Qt::NoItemFlags; };
        waitUntil(listed, kRunTimeoutMs);
        settle();
        save(overWindow(window, dialog), prefix + QStringLiteral("undo.png"));
        DialogRunner::setNextAnswer([&](QDialog& confirm) {
            settle();
            save(overWindow(window, confirm), prefix + QStringLiteral("undo-confirm.png"));
            static_cast<ThemedMessage&>(confirm).acceptButton()->click();
        });
        runs->setCurrentRow(runs->count() - 1);
        restore->click();
        waitUntil([&] { return close->isEnabled(); }, kRunTimeoutMs);
        settle();
        save(overWindow(window, dialog), prefix + QStringLiteral("undo-done.png"));
        close->click();
    });
    window.findChild<QPushButton*>(QStringLiteral("undoBtn"))->click();
    DialogRunner::clearAnswers();
}

void ScreenshotSet::save(const QPixmap& picture, const QString& file)
{
    const QString path = out.filePath(file);
    if (picture.save(path))
        return;
    QTextStream(stderr) << "tidewell-shots: cannot write " << path << "\n";
    ++failures;
}
