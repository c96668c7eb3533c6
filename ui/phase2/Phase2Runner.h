#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/OptItem.h"

#include <QObject>
#include <QPointer>

class Phase2Executor;
class Phase2ProgressDialog;
class QThread;
class QWidget;

namespace platform {
struct Platform;
}

// The window's side of a phase-2 execution: it checks the selection, warns before the print spooler is set
// to manual while printers are installed, runs the executor on a worker thread of its own with the progress
// dialog, and shows the summary. Only one execution exists at a time; stopping asks the executor to end
// after the current item and never destroys a running thread.
class Phase2Runner : public QObject {
    Q_OBJECT

public:
    Phase2Runner(QWidget* window, platform::Platform& machine, bool demoMode, const QString& ownFolder);
    ~Phase2Runner() override;

    // The execute request. False when nothing started: an empty selection, a refused printer warning, or an
    // execution still running (each says so to the user).
    bool execute(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB,
                 int themeIndex);

    bool isRunning() const { return thread != nullptr; }

    // Asks the running executor to stop after its current item; the summary still arrives.
    void requestStop();

    Phase2ProgressDialog* progressDialog() const;

signals:
    // The checks passed and the execution begins: the window takes the selection away before the progress
    // dialog appears, so it can be neither changed nor started again while items execute.
    void starting();
    // After the summary box was closed; the window moves on (to the feedback page).
    void finished(const QString& summary);

private:
    bool printerWarningAccepted(const QVector<OptItem>& items);
    void start(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB);
    void onExecutorFinished(const QString& summary);
    void onExecutorError(const QString& message);
    void stopWorker();

    QWidget* window;
    platform::Platform& machine;
    const bool demoMode;
    const QString ownFolder;
    QPointer<Phase2ProgressDialog> dialog;
    QThread* thread = nullptr;
    Phase2Executor* executor = nullptr;
};
