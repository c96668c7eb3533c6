#pragma once

#include "platform/Platform.h"

#include <QString>

#include <string>
#include <vector>

// Every folder an uninstall entry names, in canonical form (CanonicalPath): its InstallLocation, the folder
// of the program its UninstallString starts and the folder of its DisplayIcon, for every entry under
// every uninstall key. InstallLocation is optional and often missing or padded; the other two still say
// where the program lives. A drive root and a command of msiexec name no folder.
class InstalledProgramFolders {
public:
    explicit InstalledProgramFolders(platform::Platform& machine);

    std::vector<std::wstring> folders() const;

    // The program a command line starts, quoted or not, without its arguments.
    static QString commandProgram(const QString& command);
    // The file of an icon reference without its ",index".
    static QString iconFile(const QString& icon);

private:
    platform::Platform& machine_;
};
