#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The small modal dialog shown while the phase-2 items run: a heading, the status line and a thin bar.
// It has no logic of its own; closing it hides it and leaves the execution running.
class Phase2ProgressDialog : public QDialog {
    Q_OBJECT

public:
    explicit Phase2ProgressDialog(QWidget* parent = nullptr);

    // The dialog and status-line sheets of a theme (0 dark, 1 warm, anything else light).
    void applyTheme(int themeIndex);

    // Back to the start of an execution: bar at 0, "准备执行...".
    void reset();

    static constexpr int kStatusChars = 400;

public slots:
    void onProgress(int percent, const QString& status);
    void onFinished(const QString& summary);

private:
    QLabel* heading = nullptr;
    QLabel* statusLabel = nullptr;
    QProgressBar* progressBar = nullptr;
};
