#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/ItemResult.h"
#include "phase2/OptItem.h"
#include "platform/Platform.h"

#include <QObject>
#include <QStringList>

// Carries out the phase-2 items the user selected, one after another, on the phase-2 worker thread: each
// item gives one result line that says what really happened, the run log gets the lines, and the summary
// goes back to the window. Between items it looks for an interruption request on its thread and stops
// there, never inside an item. In demonstration mode it changes nothing and answers with sample lines.
class Phase2Executor : public QObject {
    Q_OBJECT

public:
    // `ownFolder` is the folder holding the program, which residue clean-up never touches.
    explicit Phase2Executor(platform::Platform& machine = platform::current(), bool demoMode = false,
                            const QString& ownFolder = QString());

    // One executed item: its id and what it reported.
    struct Executed {
        QString id;
        ItemResult result;
    };

    int done = 0;
    int total = 0;
    // Filled by execute: the items in the order they ran, and the change record the run wrote (empty when it
    // recorded nothing).
    QVector<Executed> results;
    QString changeRecordPath;

public slots:
    void execute(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB);

signals:
    void progressUpdated(int percent, const QString& status);
    void finished(const QString& summary);
    void errorOccurred(const QString& message);

private:
    ItemResult runItem(platform::Platform& machine, const OptItem& item, const ScanReportBundle& report, int h2KeepN,
                    int a2SizeMB);

    platform::Platform& machine_;
    const bool demoMode_;
    const QString ownFolder_;
};
