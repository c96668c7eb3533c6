#pragma once

#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

class Optimizer;
class QDialog;

// Renders every screen of the window in each theme into PNG files: the home page, the progress page at
// 0 %, 50 % and done, and the agreement, about and phase-2 progress dialogs laid over the window. Nothing runs on a machine; the
// progress page is fed the updates a run would send.
class ScreenshotSet {
public:
    explicit ScreenshotSet(const QString& outDir);

    // Returns the number of pictures that could not be written.
    int run();

private:
    void shootTheme(Optimizer& window, int themeIndex);
    void shootProgress(Optimizer& window, const QString& prefix, int themeIndex);
    void shootPhase2Progress(Optimizer& window, const QString& prefix, int themeIndex);
    void shootDialog(Optimizer& window, const char* button, const char* answerButton, const QString& file);
    void save(const QPixmap& picture, const QString& file);

    QDir out;
    QTemporaryDir stick;
    int failures = 0;
};
