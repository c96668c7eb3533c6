#pragma once

#include "analysis/ScanReportBundle.h"

#include <QWidget>

class QBoxLayout;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;

// The page shown when the one-click run has finished: a health score, four figures that count up, the
// storage advice, four small cards counting what the analysis found (each leads into its phase-2 group),
// the entry into phase 2, the finish and feedback buttons and the remote-help button. The main window fills
// it and reacts to its signals; the page itself changes nothing.
class ResultPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int kAnimationStepMs = 20;
    static constexpr int kInitialScore = 95;

    explicit ResultPage(QWidget* parent = nullptr);

    // Stores the five figures of the run and computes the score; on a visible page the figures count up
    // again from zero.
    void setResults(int cleanedMB, int freedMemoryMB, int junkFilesCount, int startupFasterSeconds,
                    int startupItemsCount);
    // Keeps a copy of the report and refreshes the finding cards and the storage advice from it.
    void setReport(const ScanReportBundle& report);
    // Styles the page for the theme, then shows and raises it.
    void applyTheme(int themeIndex);

    int healthScore() const { return score; }
    int animationProgress() const { return progress; }

signals:
    void finishClicked();
    void helpfulClicked();
    void averageClicked();
    void disableStartupClicked();
    void remoteHelpClicked();
    void phase2Clicked();
    void cardClicked(int groupIndex);

public slots:
    // One step of the counting animation.
    void animateNumbers();

private slots:
    void onStartupBtnClicked();
    void onPhase2Clicked();
    void onCardClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    QFrame* buildHealthCard(QWidget* parent);
    QBoxLayout* buildResultCards(QWidget* parent);
    QWidget* buildStartupBar(QWidget* parent);
    QFrame* buildPromptRow(QWidget* parent);
    QWidget* buildFindingCards(QWidget* parent);
    QBoxLayout* buildButtonRows(QWidget* parent);
    void drawNumbers();
    void refreshFindingCards();
    void refreshStorageCard();

    QWidget* container = nullptr;
    QVBoxLayout* mainLayout = nullptr;
    QWidget* startupBar = nullptr;
    QLabel* startupLabel = nullptr;
    QWidget* findingCards = nullptr;
    QFrame* storageCard = nullptr;
    QLabel* storageText = nullptr;
    QTimer* animationTimer = nullptr;

    ScanReportBundle report;
    int cleanedMB = 0;
    int freedMemoryMB = 0;
    int junkFilesCount = 0;
    int startupFasterSeconds = 0;
    int startupItemsCount = 0;
    int score = kInitialScore;
    int progress = 0;
    int themeIndex = -1;
};
