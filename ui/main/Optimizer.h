#pragma once

#include "phase2/OptItem.h"
#include "ui/main/Phase1Result.h"
#include "ui/phase2/ItemQuestions.h"
#include "update/UpdaterLauncher.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>

class AboutDialog;
class BoundedQuery;
class FeedbackPage;
class ImageDialog;
class OptimizeCore;
class Phase2Page;
class Phase2Runner;
class ProgressPage;
class QLabel;
class QNetworkAccessManager;
class QPushButton;
class QThread;
class ResultPage;
class UpdateCheck;
struct UpdateOffer;

// The program's only top-level window: frameless and fixed in size, with its own title bar, a home page
// with the big start button, the theme buttons, the tool-folder shortcuts and a footer. Every other screen
// is a page laid over the content area. The window owns the phase-1 engine and its worker thread; it talks
// to the engine only through queued signals and reads its figures after optimizationFinished arrived.
class Optimizer : public QWidget {
    Q_OBJECT

public:
    static constexpr int kUpdateCheckDelayMs = 1500;

    // `arguments` are searched for the demonstration switch; `appDir` is the folder holding the executable,
    // the root of the program's own files (agreement flag, tool folders, logo).
    Optimizer(const QStringList& arguments, const QString& appDir, QWidget* parent = nullptr);
    ~Optimizer() override;

    // The only way to change the look; pressing the current theme's button changes nothing.
    void setTheme(int index);
    int theme() const { return themeIndex; }

    bool isDemoMode() const { return demoMode; }
    bool isUpdateCheckScheduled() const { return updateCheckStarted; }
    QThread* phase1Thread() const { return optimizeThread; }
    const Phase1Result& lastPhase1Result() const { return phase1Result; }

    // Where the restore-point question of "H2" gets its count; it runs on a worker thread. The
    // demonstration counts its sample points; without a counter the clean-up's own listing counts them.
    void setRestorePointCounter(ItemQuestions::RestorePointCounter counter);
    int restorePointsToKeep() const { return h2KeepN; }
    int eventLogSizeMB() const { return a2SizeMB; }
    // The feedback page of `mode` (FeedbackPage::kHelpful or kAverage) over the content area, with the
    // keyboard focus: the result page's two answers and the end of phase 2 lead here.
    void showFeedback(int mode);
    // One of the compiled-in pictures (":/ICON/1.png" ...) in the image dialog, run modally.
    void showImageDialog(const QString& image);

    // Asks the update service once (the first show schedules it); a newer version is offered in a prompt.
    void checkForUpdate();
    UpdateCheck* updateChecker() const { return updateCheck; }
    // A phase-1 run is working; an accepted updater waits for its end.
    bool isRunWorking() const;
    // Starts an updater the user accepted during a run; called when a run has ended.
    void startPendingUpdater();
    // The phase-2 execute request with the page's selected items; false when nothing started. Refused while
    // a phase-1 run or another execution is under way.
    bool executePhase2(const QVector<OptItem>& items);
    Phase2Runner* phase2() const { return phase2Runner; }

public slots:
    void onSpecialConfirmRequested(const QString& itemId, const QString& confirmType);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // While phase 2 runs, closing asks it to stop after the current item and closes once it has.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void onStartOptimize();
    void onOptimizationFinished();
    void onResultPageFinish();
    void onResultPageDisableStartup();
    void onPhase2Clicked();
    void onCardClicked(int groupIndex);
    void onExecuteClicked(const QVector<OptItem>& items);
    void onWebsiteClicked();
    void onAboutClicked();
    void onUndoClicked();
    void onUpdateCheckFinished(const UpdateOffer& offer);

private:
    void buildWidgets();
    QWidget* buildTitleBar();
    QWidget* buildContent();
    QWidget* buildModeBar(QWidget* parent);
    QWidget* buildToolBar(QWidget* parent);
    QWidget* buildFooter();
    void setTexts();
    void connectButtons();
    void createPages();
    void applyThemeSheets();
    void applyStartButtonSize();
    void showOverlay(QWidget* page);
    void hideOverlays();
    void onFeedbackShared();
    void onFeedbackFinished(FeedbackPage* page);
    void reportUpdater(UpdaterLauncher::Outcome outcome);

    void showDemoResult();
    void showResult();
    void startPhase1();
    void onEngineFinished();
    void onEngineError(const QString& errorMsg);
    void stopPhase1Worker();
    Phase2Runner* ensurePhase2Runner();
    void countRestorePoints();
    void onRestorePointsCounted(int restorePoints);
    void onPhase2Finished();

    const QString appDir;
    const bool demoMode;

    QWidget* titleBar = nullptr;
    QWidget* contentWidget = nullptr;
    QWidget* footerBar = nullptr;
    QPushButton* startBtn = nullptr;

    ProgressPage* progressPage = nullptr;
    ResultPage* resultPage = nullptr;
    Phase2Page* phase2Page = nullptr;
    FeedbackPage* helpfulFeedbackPage = nullptr;
    FeedbackPage* averageFeedbackPage = nullptr;
    QList<QWidget*> overlayPages;
    QPointer<AboutDialog> aboutDialog;
    QPointer<ImageDialog> imageDialog;
    OptimizeCore* optimizeCore = nullptr;
    QThread* optimizeThread = nullptr;
    Phase1Result phase1Result;
    Phase2Runner* phase2Runner = nullptr;
    int h2KeepN = 1;
    int a2SizeMB = 256;
    bool closeAfterPhase2 = false;
    ItemQuestions::RestorePointCounter restorePointCounter;
    BoundedQuery* restorePointQuery = nullptr;
    QNetworkAccessManager* networkManager = nullptr;
    UpdateCheck* updateCheck = nullptr;
    std::unique_ptr<UpdaterLauncher> updaterLauncher;

    bool dragging = false;
    QPoint dragOffset;
    bool updateCheckStarted = false;
    int themeIndex;
};
