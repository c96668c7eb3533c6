#pragma once

#include "platform/Platform.h"

#include <QString>

#include <functional>
#include <string>

// Removes a folder the updater made or left behind (a staging folder, an old backup) through the program's
// one guarded deletion, so that a link inside is removed itself and never followed.
class StickFolderRemoval
{
public:
    // The machine path of a folder on the stick: on Windows the folder's own path with backslashes.
    using MachinePath = std::function<std::wstring(const QString& localPath)>;

    static std::wstring nativePath(const QString& localPath);

    explicit StickFolderRemoval(platform::Platform& machine, MachinePath machinePath = nativePath);

    // True when nothing is left at `folder` afterwards (also when there was nothing).
    bool remove(const QString& folder);

private:
    platform::Platform& machine_;
    MachinePath machinePath_;
};
