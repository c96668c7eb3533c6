#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// FILE_ATTRIBUTE_* bits as Windows reports them.
namespace FileAttribute {
constexpr std::uint32_t ReadOnly = 0x1;
constexpr std::uint32_t Hidden = 0x2;
constexpr std::uint32_t System = 0x4;
constexpr std::uint32_t Directory = 0x10;
constexpr std::uint32_t Archive = 0x20;
constexpr std::uint32_t Normal = 0x80;
constexpr std::uint32_t ReparsePoint = 0x400;
constexpr std::uint32_t RecallOnOpen = 0x40000;
constexpr std::uint32_t RecallOnDataAccess = 0x400000;
} // namespace FileAttribute

// IO_REPARSE_TAG_CLOUD and its sixteen variants IO_REPARSE_TAG_CLOUD_1..F, which differ in bits 12 to 15.
constexpr std::uint32_t CloudReparseTag = 0x9000001A;
constexpr std::uint32_t CloudReparseTagMask = 0xFFFF0FFF;

// One entry of a folder listing (WIN32_FIND_DATAW) or of GetFileAttributesExW.
struct FileEntry {
    std::wstring name;            // file name only, no path
    std::uint32_t attributes = 0; // FileAttribute bits
    std::uint64_t size = 0;
    std::int64_t lastWriteTime = 0; // FILETIME: 100 ns ticks since 1601-01-01 UTC
    std::uint32_t reparseTag = 0;   // of a reparse point, from a listing; 0 otherwise

    bool isDirectory() const { return attributes & FileAttribute::Directory; }
    bool isLink() const { return attributes & FileAttribute::ReparsePoint; }

    // A cloud file whose data is not on the disk (OneDrive "files on demand"): opening or reading it starts a
    // download, and it takes no room on the disk. Programs that Windows does not treat as cloud-aware see
    // the placeholder disguised as a plain file, without the reparse point, but with its recall attributes.
    bool isPlaceholder() const
    {
        return (attributes & (FileAttribute::RecallOnOpen | FileAttribute::RecallOnDataAccess)) ||
               (reparseTag & CloudReparseTagMask) == CloudReparseTag;
    }
};

// The files group (kernel32). Paths are Windows paths ("C:\Users\...").
class Files {
public:
    virtual ~Files() = default;

    // FindFirstFileW / FindNextFileW over `folder`\*: calls `visit` for each entry except "." and "..",
    // in the order the file system gives, until `visit` returns false. A link is reported as an entry with
    // FILE_ATTRIBUTE_REPARSE_POINT and is never entered by anything that walks; the reparse tag and the
    // recall attributes are kept, and nothing that walks opens, reads or counts a cloud placeholder.
    virtual Status list(const std::wstring& /*folder*/, const std::function<bool(const FileEntry&)>& /*visit*/)
    {
        return ErrorCallNotImplemented;
    }

    // GetFileAttributesExW: ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when nothing is there.
    virtual Status attributes(const std::wstring& /*path*/, FileEntry& /*entry*/) { return ErrorCallNotImplemented; }

    // DeleteFileW: removes a file (or the link itself, never its target).
    virtual Status deleteFile(const std::wstring& /*path*/) { return ErrorCallNotImplemented; }

    // RemoveDirectoryW: removes an empty folder, or a directory link itself.
    virtual Status removeDirectory(const std::wstring& /*path*/) { return ErrorCallNotImplemented; }

    // MoveFileExW without flags.
    virtual Status rename(const std::wstring& /*from*/, const std::wstring& /*to*/) { return ErrorCallNotImplemented; }

    // SetFileAttributesW: the read-only, hidden and system bits (FILE_ATTRIBUTE_NORMAL clears them).
    virtual Status setAttributes(const std::wstring& /*path*/, std::uint32_t /*attributes*/)
    {
        return ErrorCallNotImplemented;
    }

    // GetLongPathNameW: the path of an existing file or folder with every part in its long form ("PROGRA~1"
    // becomes "Program Files"); a part already long keeps the spelling it was given. ERROR_FILE_NOT_FOUND or
    // ERROR_PATH_NOT_FOUND when it does not exist.
    virtual Status longPathName(const std::wstring& /*path*/, std::wstring& /*longPath*/)
    {
        return ErrorCallNotImplemented;
    }

    // CreateFileW + ReadFile of at most `maxBytes` bytes from the start of the file, opened so that a cloud
    // file whose data is elsewhere is not fetched (FILE_FLAG_OPEN_NO_RECALL): it fails instead.
    virtual Status readFile(const std::wstring& /*path*/, std::uint64_t /*maxBytes*/, std::string& /*bytes*/)
    {
        return ErrorCallNotImplemented;
    }
};

} // namespace platform
