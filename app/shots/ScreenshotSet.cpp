#include "app/shots/ScreenshotSet.h"

#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/Phase2ProgressDialog.h"
#include "ui/main/Optimizer.h"
#include "ui/progress/ProgressPage.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTextStream>

namespace {

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

} // namespace

ScreenshotSet::ScreenshotSet(const QString& outDir)
    : out(outDir)
{
}

int ScreenshotSet::run()
{
    QDir().mkpath(out.path());
    const QString appDir = stick.path() + QStringLiteral("/Tidewell/app");
    QDir().mkpath(appDir);
    QFile::copy(QStringLiteral(":/ICON/T512.png"), appDir + QStringLiteral("/T512.png"));

    Optimizer window(QStringList(), appDir);
    window.show();
    settle();
    for (int themeIndex = 0; themeIndex < 3; ++themeIndex)
        shootTheme(window, themeIndex);
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
    shootPhase2Progress(window, prefix, themeIndex);
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

void ScreenshotSet::save(const QPixmap& picture, const QString& file)
{
    const QString path = out.filePath(file);
    if (picture.save(path))
        return;
    QTextStream(stderr) << "tidewell-shots: cannot write " << path << "\n";
    ++failures;
}
