#pragma once

#include "update/UpdaterLauncher.h"

#include <QObject>

class FlowHost;
class QNetworkAccessManager;
class UpdateCheck;
struct UpdateOffer;

// The update side of the window: one check of the update service, a prompt for a newer version, and the
// updater the user accepted, started at once or, while a run is working, when the window reports its end.
class UpdateFlow : public QObject {
    Q_OBJECT

public:
    // `versionText` is the footer's version ("V2.0.0"); `appDir` holds "updater.config" and the updater.
    UpdateFlow(FlowHost& host, const QString& appDir, const QString& versionText, QObject* parent = nullptr);

    // Asks the update service `delayMs` from now; only the first call schedules anything.
    void scheduleCheck(int delayMs);
    bool isCheckScheduled() const { return scheduled; }
    void check();
    UpdateCheck* checker() const { return updateCheck; }
    // Starts an updater accepted during a run; called when a run has ended.
    void startPendingUpdater();

private:
    void onOffered(const UpdateOffer& offer);
    void report(UpdaterLauncher::Outcome outcome);

    FlowHost& host;
    const QString appDir;
    const QString versionText;
    QNetworkAccessManager* networkManager;
    UpdateCheck* updateCheck;
    UpdaterLauncher updaterLauncher;
    bool scheduled = false;
};
