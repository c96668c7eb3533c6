#pragma once

#include "platform/Platform.h"

#include <QString>

// Where the native system folder is for this process. The shipped program is a 32-bit process; on 64-bit
// Windows (WOW64) a path naming "%WINDIR%\System32" reaches SysWOW64 instead, which lacks bcdedit and
// holds 32-bit copies of the rest. "%WINDIR%\Sysnative" reaches the native folder from such a process
// and does not exist for any other. The registry needs nothing of this: it is opened in the 64-bit view.
class NativeSystemFolder {
public:
    explicit NativeSystemFolder(platform::Platform& machine);

    // "C:\Windows\Sysnative" under WOW64, else the system directory; empty when that cannot be read.
    const QString& path() const { return native_; }

    // A path below "%WINDIR%\System32" (any case) mapped below the native folder; any other path unchanged.
    QString map(const QString& path) const;

    // The full path of a console tool of the system folder: "bcdedit" -> "C:\Windows\Sysnative\bcdedit.exe",
    // "wmic" -> "...\wbem\wmic.exe". A name that holds a folder is mapped; the bare name is kept when the
    // system folder is unknown.
    QString tool(const QString& name) const;

private:
    QString system32_; // "C:\Windows\System32", from the system directory
    QString native_;
    bool wow64_ = false;
};
