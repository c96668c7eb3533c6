#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// The updater cannot rename the folder it runs from, so when started from the program folder it copies
// itself, the DLLs beside it and the Qt plugin folders it loads to a new folder under the system's
// temporary folder and starts that copy with the program folder named after "--program-folder".
class SelfCopy
{
public:
    static constexpr const char* kProgramFolderOption = "--program-folder";

    explicit SelfCopy(platform::Platform& machine);

    // Copies `executable` and what it loads from `programFolder` and starts the copy with `arguments`
    // followed by the program folder option. False with `error` set when either failed.
    bool relaunch(const QString& executable, const QString& programFolder, const QStringList& arguments,
                  QString& error);

private:
    bool copyAll(const QString& executable, const QString& programFolder, const QString& copyFolder);
    bool copyInto(const QString& from, const QString& to, const QStringList& filters);

    platform::Platform& machine_;
};
