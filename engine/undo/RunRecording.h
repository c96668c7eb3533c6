#pragma once

#include "engine/undo/ChangeRecordWriter.h"
#include "engine/undo/RecordingPlatform.h"

// One run's change recording: the record in the folder beside the run logs, named with the stick's device
// identifier and the run's start, and the machine the run makes its changes through. On a PC whose identifier
// cannot be read nothing is recorded: two such PCs could not tell their records apart.
class RunRecording
{
public:
    // `run` is ChangeRecord::kPhaseOne or kPhaseTwo.
    RunRecording(platform::Platform& machine, const char* run);

    platform::Platform& machine() { return recording_.platform(); }

    // Tells the run log where the record is, or that the changes could not be recorded.
    void logOutcome() const;

    // The record, once it holds at least one change and was written whole; empty otherwise.
    QString writtenPath() const;

private:
    static ChangeRecord::Header header(const QString& pc, const char* run);
    static QString folderFor(const QString& pc);

    QString pc_;
    ChangeRecordWriter writer_;
    RecordingPlatform recording_;
};
