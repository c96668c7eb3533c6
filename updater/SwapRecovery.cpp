#include "updater/SwapRecovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

SwapRecovery::SwapRecovery(const StickLayout& layout) : layout_(layout), journal_(layout.journal()) {}

SwapRecovery::Outcome SwapRecovery::recover(Caller caller)
{
    const SwapJournal::Step step = journal_.read();
    if (step == SwapJournal::Step::None)
        return Outcome::NothingToDo;
    if (step == SwapJournal::Step::Launch && QFileInfo::exists(layout_.startedMarker()))
        return finish() ? Outcome::Finished : Outcome::Failed;
    if (step == SwapJournal::Step::Launch && caller == Caller::Program)
        return Outcome::Waiting;
    return rollBack() ? Outcome::RolledBack : Outcome::Failed;
}

bool SwapRecovery::rollBack()
{
    if (!journal_.write(SwapJournal::Step::RollBack))
        return false;
    // Until the staging folder is renamed into place it exists; without it, and with the backup beside it,
    // the program folder is the new version.
    const bool newInPlace = QFileInfo::exists(layout_.program()) && QFileInfo::exists(layout_.backup()) &&
                            !QFileInfo::exists(layout_.staging());
    if (newInPlace && !renameIfFree(layout_.program(), layout_.staging()))
        return false;
    if (!QFileInfo::exists(layout_.program()) && !renameIfFree(layout_.backup(), layout_.program()))
        return false;
    for (const QString& name : StickLayout::dataFolders()) {
        const QString moved = layout_.staging() + QLatin1Char('/') + name;
        if (QFileInfo::exists(moved) && !renameIfFree(moved, layout_.program() + QLatin1Char('/') + name))
            return false;
    }
    if (QFileInfo::exists(layout_.oldBackup()) && !renameIfFree(layout_.oldBackup(), layout_.backup()))
        return false;
    QFile::remove(layout_.startedMarker());
    return journal_.clear();
}

bool SwapRecovery::finish()
{
    if (!journal_.clear())
        return false;
    QFile::remove(layout_.startedMarker());
    return true;
}

bool SwapRecovery::renameIfFree(const QString& from, const QString& to)
{
    return !QFileInfo::exists(to) && QDir().rename(from, to);
}

SwapRecovery::Outcome recoverInterruptedUpdate(const QString& programFolder)
{
    return SwapRecovery(StickLayout(programFolder)).recover(SwapRecovery::Caller::Program);
}

void confirmProgramStarted(const QString& programFolder)
{
    const StickLayout layout(programFolder);
    if (SwapJournal(layout.journal()).read() != SwapJournal::Step::Launch)
        return;
    QFile marker(layout.startedMarker());
    if (marker.open(QIODevice::WriteOnly))
        marker.close();
}
