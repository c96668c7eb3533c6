#pragma once

#include "platform/Platform.h"

#include <QtGlobal>

#include <string>
#include <vector>

// What a deletion really removed. Nothing is counted that is still on the disk.
struct Removal {
    qint64 bytes = 0;
    int files = 0;
    int folders = 0;
    bool refused = false; // the target was a protected folder, a link or of the wrong kind
};

// The one way anything in the program deletes a machine file or folder. It never follows a link (a link
// found inside a folder being removed is removed itself, its target is never touched; a link given as the
// target is refused), refuses the protected folders (drive roots, the Windows folder, System32 and
// SysWOW64, the Program Files folders, the ProgramData and Users roots, every user profile with its
// Desktop, Documents, Pictures, Music, Videos, Downloads and AppData folders, the Public profile) and any
// folder that holds one, and reports exactly what it removed. A path still holding "%" (a variable that did
// not expand) or empty is refused, and a name Windows cannot hold met inside a folder is passed over.
class GuardedDelete {
public:
    // Whether a read-only file is cleared and tried once more, as Windows' own recursive removal does. Only
    // for what a caller has already judged to be wholly disposable: elsewhere read-only marks a file
    // someone wants kept.
    enum class ReadOnlyFiles { Keep, ClearAndRetry };

    explicit GuardedDelete(platform::Platform& machine, ReadOnlyFiles readOnlyFiles = ReadOnlyFiles::Keep);

    // A file a listing has just reported as `entry`: deleted unless it is a folder, a link or a cloud
    // placeholder (whose deletion would reach the user's cloud copy). The walk's hot path; it reads nothing
    // more about the file.
    bool removeListedFile(const std::wstring& path, const platform::FileEntry& entry);

    // A file given by path.
    Removal removeFile(const std::wstring& path);

    // A folder with everything below it.
    Removal removeTree(const std::wstring& path);

    // True when `folder` is one of the protected folders or holds one, or is empty or holds "%".
    bool isProtected(const std::wstring& folder);

private:
    void removeBelow(const std::wstring& folder, Removal& removal);
    bool removeReadOnly(const std::wstring& path, const platform::FileEntry& entry);
    const std::vector<std::wstring>& expandedProtectedFolders();

    platform::Platform& machine_;
    const ReadOnlyFiles readOnlyFiles_;
    std::vector<std::wstring> expanded_;
    bool expandedReady_ = false;
};
