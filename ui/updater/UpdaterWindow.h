#pragma once

#include "updater/UpdateRun.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The updater's small window: what the update is doing, a progress bar with the bytes and the speed, and
// one button that starts the update, cancels it while that is still possible, and closes the window at the
// end. Styled with the palette of the theme the program opens in.
class UpdaterWindow : public QWidget
{
    Q_OBJECT

public:
    UpdaterWindow(UpdateRun& flow, int themeIndex);

    // Starts the flow as the start button would.
    void startUpdate();

private:
    // "1.5 MB" or "820 KB": the units the window shows sizes and speeds in.
    static QString sizeText(qint64 bytes);

    void createWidgets();
    void applyTheme(int themeIndex);
    void onActionClicked();
    void onProgressed(qint64 done, qint64 total, qint64 bytesPerSecond);
    void onFinished(UpdateRun::Result result, const QString& message);

    UpdateRun& flow_;
    QLabel* statusLabel = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* speedLabel = nullptr;
    QPushButton* actionBtn = nullptr;
    bool started_ = false;
    bool ended_ = false;
};
