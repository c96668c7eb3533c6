#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/OptItem.h"

#include <QObject>
#include <QPointer>

class BoundedQuery;
class Phase2Executor;
class Phase2ProgressDialog;
class QThread;
class QWidget;

namespace platform {
struct Platform;
}

// The window's side of a phase-2 execution: it checks the selection, warns before the print spooler is set
// to manual while printers are installed (listed on a worker thread, the warning shown once they are), runs the executor on a worker thread of its own with the progress
// dialog, and shows the summary. Only one execution exists at a time; stopping asks the executor to end
// after the current item and never destroys a running thread.
class Phase2Runner : public QObject {
    Q_OBJECT

public:
    Phase2Runner(QWidget* window, platform::Platform& machine, bool demoMode, const QString& ownFolder);
    ~Phase2Runner() override;

    // The execute request. False when it was turned down at once: an empty selection or an execution still
    // running (each says so to the user), or a printer listing still under way for an earlier request.
    // True when the execution started, or when it waits for the printer listing behind its warning; a
    // refused warning then starts nothing.
    bool execute(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB,
                 int themeIndex);

    bool isRunning() const { return thread != nullptr; }
    bool isListingPrinters() const;

    // Asks the running executor to stop after its current item; the summary still arrives.
    void requestStop();

    Phase2ProgressDialog* progressDialog() const;

signals:
    // The checks passed and the execution begins: the window takes the selection away before the progress
    // dialog appears, so it can be neither changed nor started again while items execute.
    void starting();
    // After the summary box was closed; the window moves on. In demonstration mode the summary says first
    // that nothing was changed.
    void finished(const QString& summary);

private:
    struct Request {
        QVector<OptItem> items;
        ScanReportBundle report;
        int h2KeepN = 1;
        int a2SizeMB = 256;
        int themeIndex = 0;
    };

    static bool needsPrinterWarning(const QVector<OptItem>& items);
    void listPrinters();
    void warnAboutPrinters(const QString& printers);
    void begin(const Request& request);
    void start(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB);
    void onExecutorFinished(const QString& summary);
    void onExecutorError(const QString& message);
    void stopWorker();

    QWidget* window;
    platform::Platform& machine;
    const bool demoMode;
    const QString ownFolder;
    QPointer<Phase2ProgressDialog> dialog;
    BoundedQuery* printerQuery;
    Request waiting;
    QThread* thread = nullptr;
    Phase2Executor* executor = nullptr;
    // The theme of the execution under way, for its boxes.
    int runTheme = 0;
};
