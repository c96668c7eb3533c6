#pragma once

#include <QString>

// The swap's journal: one small JSON file beside the program folder naming the step the swap has reached,
// so that a start after a power cut knows which way to finish. It is replaced atomically (written to a
// temporary file, then renamed over the old one), so it is always either the old step or the new one.
class SwapJournal
{
public:
    // In the order a swap takes them; every step is recorded before it starts.
    enum class Step {
        None,       // no swap under way
        MoveData,   // the data folders are being moved into the staging folder
        KeepBackup, // the previous backup is being renamed aside
        Retire,     // the program folder is being renamed to the backup
        Install,    // the staging folder is being renamed into place
        Launch,     // the new program has been started and not yet confirmed
        RollBack,   // the old version is being put back
    };

    explicit SwapJournal(const QString& path);

    // None when there is no journal; a journal that cannot be read or names no known step counts as
    // RollBack, the direction that needs nothing from the new version.
    Step read() const;
    bool write(Step step) const;
    bool clear() const;

private:
    QString path_;
};
