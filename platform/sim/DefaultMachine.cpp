#include "platform/sim/DefaultMachine.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"

#include <cctype>
#include <chrono>
#include <cwctype>
#include <fstream>

namespace fs = std::filesystem;

namespace platform::sim {

// Generated at build time from platform/sim/default/*.json, in file-name order.
extern const char* const kDefaultMachineFragments[];
extern const std::size_t kDefaultMachineFragmentCount;

namespace {

fs::path driveHostPath(const fs::path& folder, const std::string& windowsPath)
{
    if (windowsPath.size() < 2 || windowsPath[1] != ':' || !std::isalpha(static_cast<unsigned char>(windowsPath[0])))
        return {};
    fs::path path = folder / "drives" / std::string(1, static_cast<char>(std::toupper(windowsPath[0])));
    std::size_t start = 2;
    while (start < windowsPath.size()) {
        std::size_t end = windowsPath.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = windowsPath.size();
        std::string part = windowsPath.substr(start, end - start);
        if (!part.empty() && part != "." && part != "..")
            path /= part;
        start = end + 1;
    }
    return path;
}

bool createEntry(const fs::path& folder, const nlohmann::json& entry, std::string& error)
{
    fs::path host = driveHostPath(folder, memberOr(entry, "path", ""));
    std::error_code ec;
    if (memberOr(entry, "folder", false)) {
        fs::create_directories(host, ec);
        return !ec || (error = "cannot create " + host.string(), false);
    }
    fs::create_directories(host.parent_path(), ec);
    if (entry.contains("linkTo")) {
        fs::path target = driveHostPath(folder, memberOr(entry, "linkTo", ""));
        fs::create_directories(target, ec);
        fs::create_directory_symlink(fs::absolute(target), host, ec);
        return !ec || (error = "cannot link " + host.string(), false);
    }
    const bool hasContent = entry.contains("content") && entry["content"].is_string();
    {
        std::ofstream out(host, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot create " + host.string();
            return false;
        }
        // A file whose text matters (preferences, hosts) gives it as "content" instead of a size.
        if (hasContent)
            out << entry["content"].get<std::string>();
    }
    if (!hasContent)
        fs::resize_file(host, memberOr(entry, "size", std::uint64_t{0}), ec);
    double ageHours = memberOr(entry, "ageHours", 0.0);
    auto when = fs::file_time_type::clock::now() -
                std::chrono::duration_cast<fs::file_time_type::duration>(std::chrono::duration<double, std::ratio<3600>>(ageHours));
    fs::last_write_time(host, when, ec);
    return true;
}

bool namesADrivePath(const fs::path& folder, const nlohmann::json& entry, std::size_t index, const char* member,
                     std::string& error)
{
    const std::string path = memberOr(entry, member, "");
    if (!driveHostPath(folder, path).empty())
        return true;
    error = (folder / "machine.json").string() + ": member \"/files/" + std::to_string(index) + "/" + member +
            "\" must be a Windows path with a drive letter, not \"" + path + "\"";
    return false;
}

// Every entry names a drive path, and so does a link's target, before anything is made.
bool checkRecipe(const fs::path& folder, const nlohmann::json& files, std::string& error)
{
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!namesADrivePath(folder, files[i], i, "path", error) ||
            (files[i].contains("linkTo") && !namesADrivePath(folder, files[i], i, "linkTo", error)))
            return false;
    }
    return true;
}

} // namespace

void mergeProfile(nlohmann::json& base, const nlohmann::json& overlay)
{
    if (base.is_object() && overlay.is_object()) {
        for (auto it = overlay.begin(); it != overlay.end(); ++it) {
            if (base.contains(it.key()))
                mergeProfile(base[it.key()], it.value());
            else
                base[it.key()] = it.value();
        }
        return;
    }
    if (base.is_array() && overlay.is_array()) {
        for (const auto& item : overlay)
            base.push_back(item);
        return;
    }
    base = overlay;
}

nlohmann::json defaultMachineProfile()
{
    nlohmann::json profile = nlohmann::json::object();
    for (std::size_t i = 0; i < kDefaultMachineFragmentCount; ++i)
        mergeProfile(profile, nlohmann::json::parse(kDefaultMachineFragments[i]));
    return profile;
}

bool materialise(const fs::path& folder, const nlohmann::json& profile, std::string& error)
{
    static const nlohmann::json noFiles = nlohmann::json::array();
    const auto files = profile.is_object() ? profile.find("files") : profile.end();
    if (!checkRecipe(folder, files != profile.end() && files->is_array() ? *files : noFiles, error))
        return false;
    std::error_code ec;
    fs::create_directories(folder / "drives", ec);
    if (ec) {
        error = "cannot create " + (folder / "drives").string() + ": " + ec.message();
        return false;
    }
    nlohmann::json document = profile.is_object() ? profile : nlohmann::json::object();
    if (document.contains("disks") && document["disks"].is_object()) {
        for (auto it = document["disks"].begin(); it != document["disks"].end(); ++it)
            fs::create_directories(folder / "drives" / it.key().substr(0, 1), ec);
    }
    fs::create_directories(folder / "drives" / "C", ec);
    if (document.contains("files")) {
        for (const auto& entry : document["files"]) {
            if (!createEntry(folder, entry, error))
                return false;
            // Flags Linux files cannot carry live on in machine.json, where the simulated files find them.
            if (entry.contains("attributes"))
                document["fileFlags"][memberOr(entry, "path", "")] = entry["attributes"];
        }
        // The files now exist as real files; the list was only the recipe.
        document.erase("files");
    }
    std::ofstream out(folder / "machine.json", std::ios::binary | std::ios::trunc);
    out << document.dump(2) << '\n';
    if (!out) {
        error = "cannot write " + (folder / "machine.json").string();
        return false;
    }
    return true;
}

} // namespace platform::sim
