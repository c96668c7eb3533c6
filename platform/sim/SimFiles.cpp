#include "platform/sim/SimFiles.h"

#include "platform/Text.h"

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
constexpr std::size_t kFoldersRemembered = 4096;

const std::pair<const char*, std::uint32_t> kFlagNames[] = {
    {"readonly", FileAttribute::ReadOnly},
    {"hidden", FileAttribute::Hidden},
    {"system", FileAttribute::System},
    {"locked", SimFiles::kLocked},
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

std::string folderKey(const fs::path& drives, const fs::path& hostFolder)
{
    return hostFolder.lexically_relative(drives).generic_string();
}

} // namespace

SimFiles::SimFiles(SimMachine& machine)
    : machine_(machine)
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
        for (const auto& [name, flags] : names) {
            nlohmann::json list = nlohmann::json::array();
            for (const auto& [flagName, bit] : kFlagNames) {
                if (flags & bit)
                    list.push_back(flagName);
            }
            section[toUtf8(machine_.windowsPath(drives / folder / name))] = list;
        }
    }
    document["fileFlags"] = section;
}

fs::path SimFiles::resolveFolder(const std::wstring& folder)
{
    std::wstring key = folder;
    while (key.size() > 3 && (key.back() == L'\\' || key.back() == L'/'))
        key.pop_back();
    auto found = folders_.find(key);
    if (found != folders_.end())
        return found->second;
    fs::path host = machine_.hostPath(key);
    struct stat info;
    if (host.empty() || stat(host.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return host;
    if (folders_.size() >= kFoldersRemembered)
        folders_.clear();
    folders_.emplace(key, host);
    return host;
}

fs::path SimFiles::resolve(const std::wstring& path)
{
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash < 2 || slash + 1 >= path.size())
        return machine_.hostPath(path);
    std::wstring name = path.substr(slash + 1);
    if (name == L"." || name == L"..")
        return machine_.hostPath(path);
    fs::path host = resolveFolder(path.substr(0, slash)) / toUtf8(name);
    struct stat info;
    if (lstat(host.c_str(), &info) == 0)
        return host;
    // The exact name is not there: resolve without regard to case, as Windows would.
    return machine_.hostPath(path);
}

std::uint32_t SimFiles::flagsOf(const fs::path& host) const
{
    if (flags_.empty())
        return 0;
    auto folder = flags_.find(folderKey(machine_.folder() / "drives", host.parent_path()));
    if (folder == flags_.end())
        return 0;
    auto file = folder->second.find(host.filename().string());
    return file == folder->second.end() ? 0 : file->second;
}

void SimFiles::setFlags(const fs::path& host, std::uint32_t flags)
{
    if (host.empty())
        return;
    std::string folder = folderKey(machine_.folder() / "drives", host.parent_path());
    if (flags)
        flags_[folder][host.filename().string()] = flags;
    else if (flags_.count(folder))
        flags_[folder].erase(host.filename().string());
}

void SimFiles::forgetFolders()
{
    folders_.clear();
}

Status SimFiles::list(const std::wstring& folder, const std::function<bool(const FileEntry&)>& visit)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    fs::path host = resolveFolder(folder);
    if (host.empty())
        return ErrorPathNotFound;
    DIR* directory = opendir(host.c_str());
    if (!directory)
        return errno == ENOENT || errno == ENOTDIR ? ErrorPathNotFound : ErrorAccessDenied;
    const Flags* flags = nullptr;
    if (!flags_.empty()) {
        auto found = flags_.find(folderKey(machine_.folder() / "drives", host));
        flags = found == flags_.end() ? nullptr : &found->second;
    }
    const int fd = dirfd(directory);
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
                entry.attributes |= found->second & kSettable;
        }
        entry.name = fromUtf8(name);
        if (!visit(entry))
            break;
    }
    closedir(directory);
    return ErrorSuccess;
}

Status SimFiles::attributes(const std::wstring& path, FileEntry& entry)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    fs::path host = resolve(path);
    if (host.empty())
        return ErrorPathNotFound;
    struct stat info;
    if (lstat(host.c_str(), &info) != 0)
        return fromErrno(errno, folderExists(host));
    int parent = open(host.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    describe(parent, host.filename().c_str(), info, entry);
    if (parent >= 0)
        close(parent);
    entry.attributes |= flagsOf(host) & kSettable;
    entry.name = fromUtf8(host.filename().string());
    return ErrorSuccess;
}

Status SimFiles::deleteFile(const std::wstring& path)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    fs::path host = resolve(path);
    if (host.empty())
        return ErrorPathNotFound;
    struct stat info;
    if (lstat(host.c_str(), &info) != 0)
        return fromErrno(errno, folderExists(host));
    struct stat target;
    bool folderLink = S_ISLNK(info.st_mode) && stat(host.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    if (S_ISDIR(info.st_mode) || folderLink)
        return ErrorAccessDenied;
    const std::uint32_t flags = flagsOf(host);
    if (flags & kLocked)
        return ErrorSharingViolation;
    if (flags & FileAttribute::ReadOnly)
        return ErrorAccessDenied;
    if (unlink(host.c_str()) != 0)
        return fromErrno(errno, true);
    if (flags)
        setFlags(host, 0);
    machine_.journal("delete " + toUtf8(path));
    return ErrorSuccess;
}

Status SimFiles::removeDirectory(const std::wstring& path)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    fs::path host = resolve(path);
    if (host.empty())
        return ErrorPathNotFound;
    struct stat info;
    if (lstat(host.c_str(), &info) != 0)
        return fromErrno(errno, folderExists(host));
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

Status SimFiles::rename(const std::wstring& from, const std::wstring& to)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    fs::path source = resolve(from);
    fs::path target = resolve(to);
    if (source.empty() || target.empty())
        return ErrorPathNotFound;
    struct stat info;
    if (lstat(source.c_str(), &info) != 0)
        return fromErrno(errno, folderExists(source));
    if (lstat(target.c_str(), &info) == 0)
        return ErrorAlreadyExists;
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

Status SimFiles::readFile(const std::wstring& path, std::uint64_t maxBytes, std::string& bytes)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    fs::path host = resolve(path);
    if (host.empty())
        return ErrorPathNotFound;
    struct stat info;
    if (stat(host.c_str(), &info) != 0)
        return fromErrno(errno, folderExists(host));
    if (S_ISDIR(info.st_mode))
        return ErrorAccessDenied;
    if (flagsOf(host) & kLocked)
        return ErrorSharingViolation;
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return ErrorAccessDenied;
    bytes.assign(static_cast<std::size_t>(std::min<std::uint64_t>(maxBytes, static_cast<std::uint64_t>(info.st_size))), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return ErrorSuccess;
}

Status SimFiles::setAttributes(const std::wstring& path, std::uint32_t attributes)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    fs::path host = resolve(path);
    struct stat info;
    if (host.empty() || lstat(host.c_str(), &info) != 0)
        return host.empty() ? ErrorPathNotFound : fromErrno(errno, folderExists(host));
    setFlags(host, (flagsOf(host) & kLocked) | (attributes & kSettable));
    machine_.journal("attributes " + toUtf8(path) + " = " + std::to_string(attributes & kSettable));
    return ErrorSuccess;
}

} // namespace platform::sim
