#pragma once

#include "updater/StickLayout.h"
#include "updater/SwapJournal.h"

// Ends a swap that was cut off, from what the journal says and what lies on the stick, so that the stick
// holds a whole version with the data folders inside it. The program and the updater both run it first
// thing on every start; it only renames, so it needs nothing but Qt Core.
//
// Before the new program is started (journal at step 1 to 4, or rolling back) the old version is put
// back: a program folder without a staging folder beside it is the new one and goes back to staging,
// app.backup becomes app again, the data folders come back from staging and app.backup.old becomes
// app.backup. Each of these looks at the stick first, so running it again after a second cut finishes it.
// Once the new program has been started, its marker decides: written (its window came up), the swap is
// finished; missing, the program leaves the journal for the updater waiting for it, and the updater
// puts the old version back.
class SwapRecovery
{
public:
    enum class Caller { Program, Updater };

    enum class Outcome {
        NothingToDo,
        Finished,   // the new version stays
        RolledBack, // the old version is back
        Waiting,    // the new program is starting under an updater's watch
        Failed,     // a rename failed; the journal stays for the next start
    };

    explicit SwapRecovery(const StickLayout& layout);

    Outcome recover(Caller caller);

    // Puts the old version back and clears the journal; false when a rename failed.
    bool rollBack();
    // Keeps the new version: clears the journal and the marker.
    bool finish();

private:
    bool renameIfFree(const QString& from, const QString& to);

    StickLayout layout_;
    SwapJournal journal_;
};

// What the program's main calls before anything reads the program folder: recover(Caller::Program) for
// the folder holding the executable.
SwapRecovery::Outcome recoverInterruptedUpdate(const QString& programFolder);

// What the program calls once its window is on screen: the marker that tells a waiting updater the new
// version started, written only while a swap is waiting for it.
void confirmProgramStarted(const QString& programFolder);
