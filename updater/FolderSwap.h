#pragma once

#include "updater/StickLayout.h"
#include "updater/SwapJournal.h"

#include <QString>

// Puts a complete staging folder in the program folder's place by renames alone, each recorded in the
// journal before it is made:
//   1. the data folders are moved from the program folder into the staging folder;
//   2. the previous backup, if any, is renamed to app.backup.old;
//   3. the program folder is renamed to app.backup;
//   4. the staging folder is renamed to app;
//   5. the journal says the new program is being started.
// Between 3 and 4 no program folder exists; a start in that moment finds the journal at step 4 or 3 and
// SwapRecovery renames app.backup back. Every other moment leaves a whole folder in place as well.
class FolderSwap
{
public:
    explicit FolderSwap(const StickLayout& layout);

    static int stepCount();
    // Runs step `index` (0-based); false when its rename failed, which leaves the journal at that step.
    bool runStep(int index);
    // All steps in order; false at the first that fails.
    bool run();

    QString failure() const { return failure_; }

private:
    struct Step {
        SwapJournal::Step recorded;
        bool (FolderSwap::*action)();
    };
    static const Step kSteps[];

    bool moveData();
    bool keepBackup();
    bool retire();
    bool install();
    bool announceLaunch();
    bool rename(const QString& from, const QString& to);

    StickLayout layout_;
    SwapJournal journal_;
    QString failure_;
};
