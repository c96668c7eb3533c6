#pragma once

#include <QWidget>

class CircularProgressBar;
class QLabel;
class SphereTagCloud;

// The page laid over the main window while phase 1 runs: a ring filling with the overall percentage, a
// turning sphere of words that light up one after the other, the percentage in big digits and three lines
// of friendly text chosen by the engine's step. When the engine is done it shows its final texts and
// hands over to the main window 1.2 seconds later.
class ProgressPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHandOverMs = 1200;

    explicit ProgressPage(QWidget* parent = nullptr);

    // Colours for the theme, then the word lighting starts again from the first word. The ring, the
    // percentage and the step texts stay as they are. An unknown index keeps the colours.
    void applyTheme(int themeIndex);

    CircularProgressBar* ring() const { return ring_; }
    SphereTagCloud* tagCloud() const { return cloud; }
    int nextTagIndex() const { return tagIndex; }

signals:
    void optimizationFinished();

public slots:
    void onProgressUpdate(int step, int percent, const QString& statusText);
    void onOptimizationDone();

private:
    void buildWidgets();
    void setTexts();
    void lightTags(int percent);
    void showStep(int step);

    QLabel* stepTitle = nullptr;
    QLabel* stepDesc = nullptr;
    QLabel* tipLabel = nullptr;
    QLabel* centerPercent = nullptr;
    QWidget* circularContainer = nullptr;
    CircularProgressBar* ring_ = nullptr;
    SphereTagCloud* cloud = nullptr;
    int currentStep = -1;
    int tagIndex = 0;
};
