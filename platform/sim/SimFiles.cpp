#include "platform/sim/SimFiles.h"

#include "platform/Text.h"
#include "platform/sim/SimLongPath.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform::sim {

namespace {

constexpr Status kErrorDirectory = 267; // ERROR_DIRECTORY: a folder was expected
constexpr std::uint32_t kSettable = FileAttribute::ReadOnly | FileAttribute::Hidden | FileAttribute::System;
// What a listing reports: the settable bits and the recall attribute of a cloud placeholder.
constexpr std::uint32_t kReported = kSettable | FileAttribute::RecallOnDataAccess;
// Enough for the folders a walk is inside and their neighbours; a cached folder holds its Windows and host
// paths with their parts (some 1.5 KB), and a walk of tens of thousands of folders would otherwise keep
// them all.
constexpr std::size_t kFoldersRemembered = 1 << 12;

const std::pair<const char*, std::uint32_t> kFlagNames[] = {
    {"readonly", FileAttribute::ReadOnly},
    {"hidden", FileAttribute::Hidden},
    {"system", FileAttribute::System},
    {"locked", SimFiles::kLocked},
    {"placeholder", FileAttribute::RecallOnDataAccess},
};

// FILETIME ticks (100 ns since 1601) of a POSIX time.
std::int64_t fileTime(const struct timespec& time)
{
    constexpr std::int64_t kEpochDifference = 11644473600LL;
    return (static_cast<std::int64_t>(time.tv_sec) + kEpochDifference) * 10000000LL + time.tv_nsec / 100;
}

// Fills `entry` from lstat data; a link is a reparse point, a directory one when its target is a folder.
void describe(int folderFd, const char* name, const struct stat& info, FileEntry& entry)
{
    entry.size = 0;
    entry.lastWriteTime = fileTime(info.st_mtim);
    if (S_ISLNK(info.st_mode)) {
        struct stat target;
        bool folder = fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        entry.attributes = FileAttribute::ReparsePoint | (folder ? FileAttribute::Directory : FileAttribute::Archive);
    } else if (S_ISDIR(info.st_mode)) {
        entry.attributes = FileAttribute::Directory;
    } else {
        entry.attributes = FileAttribute::Archive;
        entry.size = static_cast<std::uint64_t>(info.st_size);
    }
}

Status fromErrno(int error, bool parentExists)
{
    switch (error) {
    case ENOENT:
        return parentExists ? ErrorFileNotFound : ErrorPathNotFound;
    case ENOTDIR:
        return ErrorPathNotFound;
    case ENOTEMPTY:
        return ErrorDirNotEmpty;
    case EEXIST:
        return ErrorAlreadyExists;
    default:
        return ErrorAccessDenied;
    }
}

bool folderExists(const fs::path& host)
{
    struct stat info;
    return stat(host.parent_path().c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string flagsKey(const fs::path& drives, const fs::path& hostFolder)
{
    return hostFolder.lexically_relative(drives).generic_string();
}

// The flag names of `flags`, as a "fileFlags" member lists them.
nlohmann::json flagList(std::uint32_t flags)
{
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [flagName, bit] : kFlagNames) {
        if (flags & bit)
            list.push_back(flagName);
    }
    return list;
}

} // namespace

SimFiles::SimFiles(SimMachine& machine)
    : machine_(machine)
    , wow64_(machine)
{
    const auto& document = machine.document();
    if (document.contains("fileFlags") && document["fileFlags"].is_object()) {
        for (auto it = document["fileFlags"].begin(); it != document["fileFlags"].end(); ++it) {
            std::uint32_t flags = 0;
            for (const auto& [name, bit] : kFlagNames) {
                for (const auto& given : it.value())
                    flags |= given == name ? bit : 0;
            }
            setFlags(machine.hostPath(fromUtf8(it.key())), flags);
        }
    }
    machine.addState(this);
}

void SimFiles::store(nlohmann::json& document) const
{
    nlohmann::json section = nlohmann::json::object();
    const fs::path drives = machine_.folder() / "drives";
    for (const auto& [folder, names] : flags_) {
        for (const auto& [name, flags] : names)
            section[toUtf8(machine_.windowsPath(drives / folder / name))] = flagList(flags);
    }
    document["fileFlags"] = section;
}

std::wstring SimFiles::folderKey(const std::wstring& folder)
{
    std::wstring key = folder;
    while (key.size() > 3 && (key.back() == L'\\' || key.back() == L'/'))
        key.pop_back();
    return key;
}

fs::path SimFiles::resolveFolder(const std::wstring& folder)
{
    const std::wstring key = folderKey(folder);
    auto found = folders_.find(key);
    if (found != folders_.end())
        return found->second;
    struct stat info;
    int error = 0;
    fs::path host = resolve(key, info, error);
    if (error || (S_ISLNK(info.st_mode) ? stat(host.c_str(), &info) != 0 : false) || !S_ISDIR(info.st_mode))
        return host;
    if (folders_.size() >= kFoldersRemembered)
        folders_.clear();
    folders_.emplace(key, host);
    return host;
}

// The host path of `path` and its lstat data (`error` is the errno when nothing is there). The exact name
// is first looked for in the folder's earlier resolution, so that a walk resolves each folder once; only
// when it is not there is the path resolved again part by part without regard to case.
fs::path SimFiles::resolve(const std::wstring& path, struct stat& info, int& error)
{
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash >= 2 && slash + 1 < path.size()) {
        std::wstring name = path.substr(slash + 1);
        if (name != L"." && name != L"..") {
            fs::path host = resolveFolder(path.substr(0, slash)) / toUtf8(name);
            if (lstat(host.c_str(), &info) == 0) {
                error = 0;
                return host;
            }
        }
    }
    fs::path host = machine_.hostPath(path);
    error = host.empty() ? ENOTDIR : lstat(host.c_str(), &info) == 0 ? 0 : errno;
    return host;
}

std::uint32_t SimFiles::flagsOf(const fs::path& host) const
{
    if (flags_.empty() || host.empty())
        return 0;
    auto folder = flags_.find(flagsKey(machine_.folder() / "drives", host.parent_path()));
    if (folder == flags_.end())
        return 0;
    auto file = folder->second.find(host.filename().string());
    return file == folder->second.end() ? 0 : file->second;
}

bool SimFiles::hasFlags(const std::string& folderKey, const std::string& name) const
{
    auto folder = flags_.find(folderKey);
    return folder != flags_.end() && folder->second.count(name);
}

void SimFiles::setFlags(const fs::path& host, std::uint32_t flags)
{
    if (host.empty())
        return;
    std::string folder = flagsKey(machine_.folder() / "drives", host.parent_path());
    if (flags)
        flags_[folder][host.filename().string()] = flags;
    else if (flags_.count(folder))
        flags_[folder].erase(host.filename().string());
}

void SimFiles::forgetFolders()
{
    folders_.clear();
}

Status SimFiles::list(const std::wstring& given, const std::function<bool(const FileEntry&)>& visit)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirected;
    const std::wstring& folder = wow64_.redirect(given, redirected);
    const std::wstring key = folderKey(folder);
    DIR* directory = openListedChild(key);
    if (!directory) {
        fs::path host = resolveFolder(key);
        directory = host.empty() ? nullptr : opendir(host.c_str());
        if (!directory)
            return host.empty() || errno == ENOENT || errno == ENOTDIR ? ErrorPathNotFound : ErrorAccessDenied;
    }
    const Flags* flags = nullptr;
    std::string hostKey;
    if (!flags_.empty()) {
        hostKey = flagsKey(machine_.folder() / "drives", resolveFolder(key));
        auto found = flags_.find(hostKey);
        flags = found == flags_.end() ? nullptr : &found->second;
    }
    const int fd = dirfd(directory);
    // While the folder is being listed, what lies in it is reached relative to its open handle.
    Listing listing{fd, std::move(hostKey), nullptr, {}};
    const bool registered = listing_.emplace(key, &listing).second;
    const Visiting outer = visiting_;
    FileEntry entry;
    while (const dirent* item = readdir(directory)) {
        const char* name = item->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        struct stat info;
        if (fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        describe(fd, name, info, entry);
        if (flags) {
            auto found = flags->find(name);
            if (found != flags->end())
                entry.attributes |= found->second & kReported;
        }
        entry.name = fromUtf8(name);
        listing.current = name;
        listing.currentInfo = info;
        visiting_ = {&listing, &key, &entry.name};
        if (!visit(entry))
            break;
    }
    visiting_ = outer;
    if (registered)
        listing_.erase(key);
    closedir(directory);
    return ErrorSuccess;
}

// The host path of something that must exist, or the error Windows gives for it: a missing file in an
// existing folder is "file not found", anything missing above it "path not found".
Status SimFiles::resolveExisting(const std::wstring& path, fs::path& host, struct stat& info)
{
    int error = 0;
    host = resolve(path, info, error);
    return error ? fromErrno(error, folderExists(host)) : ErrorSuccess;
}

Status SimFiles::attributes(const std::wstring& given, FileEntry& entry)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirected;
    const std::wstring& path = wow64_.redirect(given, redirected);
    struct stat info;
    fs::path host;
    if (Status status = resolveExisting(path, host, info); status != ErrorSuccess)
        return status;
    int parent = open(host.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    describe(parent, host.filename().c_str(), info, entry);
    if (parent >= 0)
        close(parent);
    entry.attributes |= flagsOf(host) & kReported;
    entry.name = fromUtf8(host.filename().string());
    return ErrorSuccess;
}

// Where a file to be changed lies: in a folder being listed, the folder's open handle and the exact name;
// otherwise the resolved host path (relative to nothing). `host` is filled when it is needed for flags
// (it stays empty for an entry being visited that has none).
int SimFiles::locate(const std::wstring& path, Location& location, struct stat& info)
{
    if (isVisited(path)) {
        location.folder = visiting_.listing->folder;
        location.name = visiting_.listing->current;
        info = visiting_.listing->currentInfo;
        // The host path is only needed for the entry's flags: looked up by the folder's key, so that a
        // listing of a large folder without flags builds no path per entry. A listing that began while no
        // file had flags has no key; should flags have been set since, the path is built as for any file.
        const std::string& key = visiting_.listing->flagsKey;
        if (key.empty() ? !flags_.empty() : hasFlags(key, location.name))
            location.host = resolveFolder(*visiting_.folder) / location.name;
        return 0;
    }
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash >= 2 && slash + 1 < path.size()) {
        auto listed = listing_.find(folderKey(path.substr(0, slash)));
        std::string name = toUtf8(path.substr(slash + 1));
        if (listed != listing_.end() && name != "." && name != ".." && found(*listed->second, name, info)) {
            location.folder = listed->second->folder;
            if (!flags_.empty())
                location.host = resolveFolder(path.substr(0, slash)) / name;
            location.name = std::move(name);
            return 0;
        }
    }
    int error = 0;
    location.folder = AT_FDCWD;
    location.host = resolve(path, info, error);
    location.name = location.host.string();
    return error;
}

// True when `path` names the entry a listing is handing to its visitor right now, as a walk deleting what
// it finds does: the folder the listing was asked for, a backslash and the entry's name.
bool SimFiles::isVisited(const std::wstring& path) const
{
    if (!visiting_.listing)
        return false;
    const std::wstring& folder = *visiting_.folder;
    const std::wstring& name = *visiting_.name;
    return path.size() == folder.size() + 1 + name.size() && path[folder.size()] == L'\\' &&
           path.compare(0, folder.size(), folder) == 0 && path.compare(folder.size() + 1, name.size(), name) == 0;
}

// A subfolder of a folder being listed, opened relative to that folder's handle; null when it is not one.
DIR* SimFiles::openListedChild(const std::wstring& key)
{
    std::size_t slash = key.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash < 2 || slash + 1 >= key.size())
        return nullptr;
    auto parent = listing_.find(folderKey(key.substr(0, slash)));
    const std::string name = toUtf8(key.substr(slash + 1));
    if (parent == listing_.end() || name == "." || name == "..")
        return nullptr;
    const int fd = openat(parent->second->folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* directory = fdopendir(fd);
    if (!directory)
        close(fd);
    return directory;
}

// The entry the listing is visiting was read a moment ago; any other name is looked up.
bool SimFiles::found(const Listing& listing, const std::string& name, struct stat& info)
{
    if (listing.current && name == listing.current) {
        info = listing.currentInfo;
        return true;
    }
    return fstatat(listing.folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

Status SimFiles::deleteFile(const std::wstring& given)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirected;
    const std::wstring& path = wow64_.redirect(given, redirected);
    struct stat info;
    Location at;
    if (int error = locate(path, at, info))
        return fromErrno(error, folderExists(at.host));
    struct stat target;
    const bool folderLink =
        S_ISLNK(info.st_mode) && fstatat(at.folder, at.name.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
    if (S_ISDIR(info.st_mode) || folderLink)
        return ErrorAccessDenied;
    const std::uint32_t flags = flagsOf(at.host);
    if (flags & kLocked)
        return ErrorSharingViolation;
    if (flags & FileAttribute::ReadOnly)
        return ErrorAccessDenied;
    if (unlinkat(at.folder, at.name.c_str(), 0) != 0)
        return fromErrno(errno, true);
    if (flags)
        setFlags(at.host, 0);
    machine_.journal("delete " + toUtf8(path));
    return ErrorSuccess;
}

Status SimFiles::removeDirectory(const std::wstring& given)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirected;
    const std::wstring& path = wow64_.redirect(given, redirected);
    struct stat info;
    fs::path host;
    if (Status status = resolveExisting(path, host, info); status != ErrorSuccess)
        return status;
    struct stat target;
    const bool link = S_ISLNK(info.st_mode);
    if (link ? stat(host.c_str(), &target) != 0 || !S_ISDIR(target.st_mode) : !S_ISDIR(info.st_mode))
        return kErrorDirectory;
    if (flagsOf(host) & kLocked)
        return ErrorSharingViolation;
    if ((link ? unlink(host.c_str()) : rmdir(host.c_str())) != 0)
        return fromErrno(errno, true);
    forgetFolders();
    setFlags(host, 0);
    machine_.journal("remove folder " + toUtf8(path));
    return ErrorSuccess;
}

Status SimFiles::rename(const std::wstring& givenFrom, const std::wstring& givenTo)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirectedFrom;
    std::wstring redirectedTo;
    const std::wstring& from = wow64_.redirect(givenFrom, redirectedFrom);
    const std::wstring& to = wow64_.redirect(givenTo, redirectedTo);
    struct stat info;
    fs::path source;
    if (Status status = resolveExisting(from, source, info); status != ErrorSuccess)
        return status;
    int error = 0;
    fs::path target = resolve(to, info, error);
    if (!error)
        return ErrorAlreadyExists;
    if (target.empty())
        return ErrorPathNotFound;
    if (!folderExists(target))
        return ErrorPathNotFound;
    const std::uint32_t flags = flagsOf(source);
    if (flags & kLocked)
        return ErrorSharingViolation;
    if (std::rename(source.c_str(), target.c_str()) != 0)
        return fromErrno(errno, true);
    forgetFolders();
    setFlags(source, 0);
    setFlags(target, flags);
    machine_.journal("rename " + toUtf8(from) + " -> " + toUtf8(to));
    return ErrorSuccess;
}

Status SimFiles::readFile(const std::wstring& given, std::uint64_t maxBytes, std::string& bytes)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirected;
    const std::wstring& path = wow64_.redirect(given, redirected);
    struct stat info;
    fs::path host;
    if (Status status = resolveExisting(path, host, info); status != ErrorSuccess)
        return status;
    if (stat(host.c_str(), &info) != 0)
        return fromErrno(errno, folderExists(host));
    if (S_ISDIR(info.st_mode))
        return ErrorAccessDenied;
    if (flagsOf(host) & kLocked)
        return ErrorSharingViolation;
    if (flagsOf(host) & FileAttribute::RecallOnDataAccess)
        return ErrorCantAccessFile;
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return ErrorAccessDenied;
    bytes.assign(static_cast<std::size_t>(std::min<std::uint64_t>(maxBytes, static_cast<std::uint64_t>(info.st_size))), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return ErrorSuccess;
}

Status SimFiles::longPathName(const std::wstring& path, std::wstring& longPath)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    return simLongPathName(machine_, path, longPath);
}

Status SimFiles::setAttributes(const std::wstring& given, std::uint32_t attributes)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirected;
    const std::wstring& path = wow64_.redirect(given, redirected);
    struct stat info;
    fs::path host;
    if (Status status = resolveExisting(path, host, info); status != ErrorSuccess)
        return status;
    setFlags(host, (flagsOf(host) & ~kSettable) | (attributes & kSettable));
    machine_.journal("attributes " + toUtf8(path) + " = " + std::to_string(attributes & kSettable));
    machine_.keep(nlohmann::json::json_pointer() / "fileFlags" / toUtf8(machine_.windowsPath(host)),
                  flagList(flagsOf(host)));
    return ErrorSuccess;
}

} // namespace platform::sim
