#pragma once

#include "updater/FileSource.h"
#include "updater/ProgramControl.h"
#include "updater/StagingBuilder.h"
#include "updater/StickFolderRemoval.h"
#include "updater/StickLayout.h"
#include "updater/VersionList.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QThread;

// One update from start to end, on the GUI thread: leftovers of an earlier update are removed, the verified
// file list is loaded and the new version staged on a worker thread, the flow waits until the program has exited, swaps
// the folders, starts the new program and waits for its marker; a new program that does not confirm in time, or a swap
// that cannot finish, puts the old version back. Every end is reported once through finished() with a
// sentence saying what happened and what the user can do.
class UpdateRun : public QObject
{
    Q_OBJECT

public:
    struct Timing {
        int pollMs = 500;
        int startWaitMs = 30000;
    };

    enum class Result { Updated, Cancelled, Failed, RolledBack };
    Q_ENUM(Result)

    UpdateRun(const StickLayout& layout, VersionList& versions, FileSource& source, ProgramControl& program,
              StickFolderRemoval& removal, Timing timing);
    ~UpdateRun() override;

    void start();
    // Stops the update while it is staging or waiting for the program; later the swap runs to its end.
    void cancel();
    bool canCancel() const { return state_ == State::Staging || state_ == State::WaitingForProgram; }

signals:
    void progressed(qint64 done, qint64 total, qint64 bytesPerSecond);
    void statusChanged(const QString& status);
    void finished(UpdateRun::Result result, const QString& message);

private:
    enum class State { Idle, Staging, WaitingForProgram, Starting, Done };

    StagingBuilder::Outcome stage();
    void onStaged();
    void onPoll();
    void swap();
    void onStartPoll();
    void end(Result result, const QString& message);
    void dropStaging(Result result, const QString& message);
    void rollBack(const QString& why);

    StickLayout layout_;
    VersionList& versions_;
    FileSource& source_;
    ProgramControl& program_;
    StickFolderRemoval& removal_;
    Timing timing_;
    State state_ = State::Idle;
    std::unique_ptr<StagingBuilder> builder_;
    QThread* worker_ = nullptr;
    StagingBuilder::Outcome stagingOutcome_ = StagingBuilder::Outcome::Failed;
    QString listFailure_;
    QTimer poll_;
    int waitedMs_ = 0;
};
