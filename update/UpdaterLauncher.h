#pragma once

#include "platform/Platform.h"

#include <QString>

// Starts the separate updater program "updaterwindow.exe" beside the executable with "--auto" once the user
// has accepted an update. The updater may replace the program's files, so it is never started while a
// phase-1 or phase-2 run is working: a request during a run waits until the window reports the run's end.
class UpdaterLauncher
{
public:
    static constexpr const char* kFileName = "updaterwindow.exe";

    enum class Outcome {
        Started,
        Deferred, // a run is working; runEnded() starts it
        Missing,  // no updater file beside the program
        Failed,   // the file is there but could not be started
    };

    // `machine` null: the process-wide platform, looked up when the updater is started.
    explicit UpdaterLauncher(const QString& appDir, platform::Platform* machine = nullptr);

    Outcome request(bool runWorking);
    bool isPending() const { return pending; }
    // Starts a deferred updater; call only when isPending().
    Outcome runEnded();

    QString path() const;

private:
    Outcome launch();

    QString appDir;
    platform::Platform* machine;
    bool pending = false;
};
