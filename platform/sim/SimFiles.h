#pragma once

#include "platform/Files.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimWow64.h"

#include <filesystem>
#include <map>
#include <string>
#include <unordered_map>

#include <dirent.h>
#include <sys/stat.h>

namespace platform::sim {

// The file system of the simulated PC: the real files and folders under drives/, links being real
// symbolic links. The flags Linux files lack come from the "fileFlags" section of machine.json:
//   "fileFlags": { "C:\\Users\\Lenovo\\AppData\\Local\\Temp\\~DF3A.tmp": ["hidden", "locked"] }
// "hidden", "system" and "readonly" are reported as attributes; a "readonly" file cannot be deleted
// (ERROR_ACCESS_DENIED) and a "locked" one, held open by another program, can be neither deleted, renamed
// nor read (ERROR_SHARING_VIOLATION). A "placeholder" is a cloud file whose data is elsewhere: reported with
// FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS, and reading it without a recall fails (ERROR_CANT_ACCESS_FILE).
// Every deletion, removal and rename is journalled. Under WOW64 every
// path is first redirected as Windows redirects the paths of a 32-bit process (SimWow64).
class SimFiles : public Files, public SimState {
public:
    explicit SimFiles(SimMachine& machine);

    Status list(const std::wstring& folder, const std::function<bool(const FileEntry&)>& visit) override;
    Status attributes(const std::wstring& path, FileEntry& entry) override;
    Status deleteFile(const std::wstring& path) override;
    Status removeDirectory(const std::wstring& path) override;
    Status rename(const std::wstring& from, const std::wstring& to) override;
    Status readFile(const std::wstring& path, std::uint64_t maxBytes, std::string& bytes) override;
    Status longPathName(const std::wstring& path, std::wstring& longPath) override;
    Status setAttributes(const std::wstring& path, std::uint32_t attributes) override;

    void store(nlohmann::json& document) const override;

    // Flag bits kept beside the FILE_ATTRIBUTE_* ones.
    static constexpr std::uint32_t kLocked = 0x80000000u;

private:
    using Flags = std::map<std::string, std::uint32_t>; // file name -> flag bits

    struct Location {
        int folder = 0;             // an open folder handle, or AT_FDCWD
        std::string name;           // relative to `folder`
        std::filesystem::path host; // for the flags; empty when there are none
    };

    // A folder being listed: its open handle, its key in flags_ (empty when no file had flags as the listing
    // began) and the entry being visited with its lstat data.
    struct Listing {
        int folder;
        std::string flagsKey;
        const char* current;
        struct stat currentInfo;
    };

    // The entry a listing is handing to its visitor, with the folder as the listing was asked for.
    struct Visiting {
        const Listing* listing = nullptr;
        const std::wstring* folder = nullptr;
        const std::wstring* name = nullptr;
    };

    static std::wstring folderKey(const std::wstring& folder);
    bool isVisited(const std::wstring& path) const;
    static bool found(const Listing& listing, const std::string& name, struct stat& info);
    DIR* openListedChild(const std::wstring& key);
    int locate(const std::wstring& path, Location& location, struct stat& info);
    std::filesystem::path resolveFolder(const std::wstring& folder);
    std::filesystem::path resolve(const std::wstring& path, struct stat& info, int& error);
    Status resolveExisting(const std::wstring& path, std::filesystem::path& host, struct stat& info);
    std::uint32_t flagsOf(const std::filesystem::path& host) const;
    bool hasFlags(const std::string& folderKey, const std::string& name) const;
    void setFlags(const std::filesystem::path& host, std::uint32_t flags);
    void forgetFolders();

    SimMachine& machine_;
    SimWow64 wow64_;
    // Flags by the host folder (relative to drives/, exact case) and the file name.
    std::unordered_map<std::string, Flags> flags_;
    // Folders already resolved without regard to case, by their Windows path as the caller wrote it: a walk
    // joins the exact names its listing reported to the resolved folder instead of resolving every part
    // of every path again.
    std::unordered_map<std::wstring, std::filesystem::path> folders_;
    // The folders being listed right now and their open handles, by the same key.
    std::unordered_map<std::wstring, Listing*> listing_;
    Visiting visiting_;
};

} // namespace platform::sim
