#pragma once

#include "phase2/OptItem.h"
#include "ui/main/FlowHost.h"
#include "ui/main/Phase1Result.h"
#include "ui/phase2/ItemQuestions.h"

#include <QPoint>
#include <QWidget>

#include <memory>

class FeedbackPage;
class FooterActions;
class Phase1Flow;
class Phase2Flow;
class Phase2Page;
class Phase2Runner;
class ProgressPage;
class QThread;
class ResultPage;
class UpdateCheck;
class UpdateFlow;
class WindowChrome;

// The program's only top-level window: frameless and fixed in size, with its own title bar, a home page
// with the big start button, the theme buttons, the tool-folder shortcuts and a footer. Every other screen
// is a page laid over the content area. The window lays the pages and passes between its flows (phase 1,
// phase 2, the update, the footer's dialogs), which ask it only what FlowHost offers.
class Optimizer : public QWidget, public FlowHost {
    Q_OBJECT

public:
    static constexpr int kUpdateCheckDelayMs = 1500;

    // `arguments` are searched for the demonstration switch; `appDir` is the folder holding the executable,
    // the root of the program's own files (agreement flag, tool folders, logo).
    Optimizer(const QStringList& arguments, const QString& appDir, QWidget* parent = nullptr);
    ~Optimizer() override;

    // The only way to change the look; pressing the current theme's button changes nothing.
    void setTheme(int index);
    int theme() const override { return themeIndex; }
    QWidget* dialogParent() override { return this; }

    bool isDemoMode() const { return demoMode; }
    bool isUpdateCheckScheduled() const;
    QThread* phase1Thread() const;
    const Phase1Result& lastPhase1Result() const;

    // Where the restore-point question of "H2" gets its count; it runs on a worker thread. The
    // demonstration counts its sample points; without a counter the clean-up's own listing counts them.
    void setRestorePointCounter(ItemQuestions::RestorePointCounter counter);
    int restorePointsToKeep() const;
    int eventLogSizeMB() const;
    // The feedback page of `mode` (FeedbackPage::kHelpful or kAverage) over the content area, with the
    // keyboard focus: the result page's two answers lead here.
    void showFeedback(int mode);

    // Asks the update service once (the first show schedules it); a newer version is offered in a prompt.
    void checkForUpdate();
    UpdateCheck* updateChecker() const;
    // A phase-1 run or a phase-2 execution is working; an accepted updater waits for its end.
    bool isRunWorking() const override;
    // The phase-2 execute request with the page's selected items; false when nothing started. Refused while
    // a phase-1 run or another execution is under way.
    bool executePhase2(const QVector<OptItem>& items);
    Phase2Runner* phase2() const;

public slots:
    void onSpecialConfirmRequested(const QString& itemId, const QString& confirmType);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // While phase 2 runs, closing asks it to stop after the current item and closes once it has; a phase-1
    // run is stopped, which starts an updater accepted during it.
    void closeEvent(QCloseEvent* event) override;

private:
    void connectButtons();
    void createPages();
    void connectResultPage();
    void connectPhase2Page();
    void createFeedbackPages();
    void createFlows();
    // Every page laid over the content area; all exist from the constructor on.
    QList<QWidget*> pages() const;
    void showOverlay(QWidget* page);
    void hideOverlays();
    void onStartOptimize();
    void onPhase1Failed(const QString& message);
    void showResult();
    void showPhase2Page();
    void onPhase2Finished(bool closeWindow);
    void onFeedbackFinished(FeedbackPage* page);

    const QString appDir;
    const bool demoMode;
    std::unique_ptr<WindowChrome> chrome;

    ProgressPage* progressPage = nullptr;
    ResultPage* resultPage = nullptr;
    Phase2Page* phase2Page = nullptr;
    FeedbackPage* helpfulFeedbackPage = nullptr;
    FeedbackPage* averageFeedbackPage = nullptr;
    QList<QWidget*> overlayPages;

    Phase1Flow* phase1Flow = nullptr;
    Phase2Flow* phase2Flow = nullptr;
    UpdateFlow* updateFlow = nullptr;
    FooterActions* footerActions = nullptr;

    bool dragging = false;
    QPoint dragOffset;
    int themeIndex;
};
