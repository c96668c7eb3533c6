#pragma once

#include "platform/Platform.h"

#include <QStringList>

#include <string>

// The files of a start-up folder, listed one way for the start-up analysis and the start-up manager alike:
// every plain file under its full name, hidden and system files included (Windows starts them too), so that
// "foo.exe" and "foo.lnk" are two entries that are switched off one by one. Links are never followed, and
// the folder's own desktop.ini is no program.
class StartupFolderFiles {
public:
    static QStringList list(platform::Platform& machine, const std::wstring& folder);
};
