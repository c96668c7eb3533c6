#pragma once

#include "engine/GuardedDelete.h"
#include "engine/WindowsPath.h"
#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// What one cleaning walk removed.
struct CleanResult {
    qint64 bytes = 0;
    int deleted = 0;
    bool refusedProtected = false; // the folder is or holds a protected folder and was not walked
};

// Deletes the files matching name filters below a folder, recursively, as it walks: no list of candidates is
// kept and each file's size and time come from the listing that found it. Folders stay. Links are neither
// entered nor deleted, and a folder that is itself a link is not walked at all, so nothing outside the
// folder can be touched. A read-only file among them is junk like the rest: Windows refuses to delete it, so
// its mark is cleared and the deletion tried once more. Only files really deleted are counted. A folder
// that is, or holds, a folder the guarded deletion protects (a drive root, a profile, a Desktop...) is not
// walked at all, nor is an empty path or one whose variables did not expand; a name Windows cannot hold is
// passed over, never joined.
class DirectoryCleaner {
public:
    explicit DirectoryCleaner(platform::Platform& machine);

    // `keepNewerThan` is a FILETIME: files written after it are left alone (0: no limit).
    CleanResult clean(const QString& folder, const QStringList& filters, qint64 keepNewerThan = 0);

    // The FILETIME of now minus `seconds`.
    static qint64 fileTimeSecondsAgo(qint64 seconds);

private:
    void walk(const std::wstring& folder, const WindowsPath::NameFilter& filter, qint64 keepNewerThan,
              CleanResult& result);

    platform::Platform& machine_;
    GuardedDelete guard_;
};
