#include "updater/StickFolderRemoval.h"

#include "engine/GuardedDelete.h"

#include <QDir>
#include <QFileInfo>

StickFolderRemoval::StickFolderRemoval(platform::Platform& machine, MachinePath machinePath)
    : machine_(machine), machinePath_(std::move(machinePath))
{
}

std::wstring StickFolderRemoval::nativePath(const QString& localPath)
{
    return QDir::toNativeSeparators(localPath).toStdWString();
}

bool StickFolderRemoval::remove(const QString& folder)
{
    if (!QFileInfo::exists(folder) && !QFileInfo(folder).isSymLink())
        return true;
    GuardedDelete(machine_, GuardedDelete::ReadOnlyFiles::ClearAndRetry).removeTree(machinePath_(folder));
    return !QFileInfo::exists(folder) && !QFileInfo(folder).isSymLink();
}
