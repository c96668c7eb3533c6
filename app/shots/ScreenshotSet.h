#pragma once

#include "platform/sim/SimPlatform.h"
#include "ui/dialogs/DialogRunner.h"

#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include <memory>

class Optimizer;
class QDialog;

// Renders every screen of the window in each theme into PNG files: the home page, the progress page at 0 %,
// 50 % and done, the two feedback pages, the agreement, about, image, update and phase-2 progress dialogs
// laid over the window, an error box and the event-log question, the result and phase-2 pages after a real
// run on the embedded default machine (simulated, in a temporary folder) and in demonstration mode, the
// restore-point question, the printer warning and the summary of a demonstrated execution, and the undo
// dialog with its confirmation, that run listed and then restored (the first theme restores it, the others
// find it restored). The progress page is fed the updates a run would send.
class ScreenshotSet {
public:
    explicit ScreenshotSet(const QString& outDir);

    // Returns the number of pictures that could not be written.
    int run();

private:
    void shootTheme(Optimizer& window, int themeIndex);
    void shootProgress(Optimizer& window, const QString& prefix, int themeIndex);
    void shootFeedback(Optimizer& window, const QString& prefix);
    void shootUpdatePrompt(Optimizer& window, const QString& prefix, int themeIndex);
    void shootPhase2Progress(Optimizer& window, const QString& prefix, int themeIndex);
    void shootDialog(Optimizer& window, const char* button, const char* answerButton, const QString& file);
    bool runPhase1(Optimizer& window);
    void shootFlow(Optimizer& window, int themeIndex, const QString& name);
    void shootConfirmation(Optimizer& window, const QString& file);
    void shootMessages(Optimizer& window, const QString& prefix, int themeIndex);
    void shootExecution(Optimizer& demo, const QString& prefix);
    // An answer that saves the dialog over `window` into `file`, then closes it with `accept`.
    DialogRunner::Answer saveAndClose(Optimizer& window, const QString& file, bool accept);
    void shootUndo(Optimizer& window, int themeIndex);
    void save(const QPixmap& picture, const QString& file);

    QDir out;
    QTemporaryDir stick;
    QTemporaryDir machineFolder;
    std::unique_ptr<platform::sim::SimMachine> machine;
    std::unique_ptr<platform::sim::SimPlatform> simulated;
    int failures = 0;
};
