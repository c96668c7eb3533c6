#include "platform/sim/SimSystemInfo.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimInteractiveUser.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimWow64.h"

#include <cmath>
#include <cwctype>

namespace platform::sim {

namespace {

constexpr std::uint64_t kGiB = 1ull << 30;

std::uint64_t bytesOf(const nlohmann::json& entry, const char* bytesKey, const char* gbKey, std::uint64_t fallback)
{
    if (entry.contains(bytesKey))
        return memberOr(entry, bytesKey, fallback);
    if (entry.contains(gbKey))
        return static_cast<std::uint64_t>(std::llround(memberOr(entry, gbKey, 0.0) * static_cast<double>(kGiB)));
    return fallback;
}

const std::pair<const char*, std::uint32_t> kDriveTypes[] = {
    {"removable", DriveType::Removable}, {"fixed", DriveType::Fixed},   {"remote", DriveType::Remote},
    {"cdrom", DriveType::CdRom},         {"ramdisk", DriveType::RamDisk},
};

const std::pair<const char*, JoinStatus> kJoinStatuses[] = {
    {"unknown", JoinStatus::Unknown},
    {"unjoined", JoinStatus::Unjoined},
    {"workgroup", JoinStatus::Workgroup},
    {"domain", JoinStatus::Domain},
};

} // namespace

SimSystemInfo::SimSystemInfo(SimMachine& machine)
    : machine_(machine)
{
}

const nlohmann::json& SimSystemInfo::section(const char* name) const
{
    static const nlohmann::json empty = nlohmann::json::object();
    const auto& document = machine_.document();
    auto it = document.find(name);
    return it != document.end() && it->is_object() ? *it : empty;
}

Status SimSystemInfo::systemDirectory(std::wstring& path, std::uint32_t maxChars)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring directory = fromUtf8(memberOr(section("system"), "systemDirectory", "C:\\Windows\\system32"));
    if (directory.empty())
        return ErrorPathNotFound;
    if (directory.size() + 1 > maxChars)
        return ErrorInsufficientBuffer;
    path = directory;
    return ErrorSuccess;
}

Status SimSystemInfo::isWow64Process(bool& wow64)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    wow64 = SimWow64(machine_).active();
    return ErrorSuccess;
}

Status SimSystemInfo::version(OsVersion& version)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto& system = section("system");
    auto it = system.find("version");
    if (it == system.end() || !it->is_object())
        return ErrorNotFound;
    version.major = memberOr(*it, "major", 0u);
    version.minor = memberOr(*it, "minor", 0u);
    version.build = memberOr(*it, "build", 0u);
    version.servicePackMajor = static_cast<std::uint16_t>(memberOr(*it, "servicePack", 0u));
    return ErrorSuccess;
}

Status SimSystemInfo::powerStatus(PowerStatus& status)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto& power = section("power");
    if (memberOr(power, "fails", false))
        return ErrorNotSupported;
    status.acLineStatus = memberOr(power, "acLineStatus", std::uint8_t{1});
    status.batteryFlag = memberOr(power, "batteryFlag", std::uint8_t{128});
    status.batteryLifePercent = memberOr(power, "batteryLifePercent", std::uint8_t{255});
    return ErrorSuccess;
}

Status SimSystemInfo::diskSpace(const std::wstring& root, DiskSpace& space)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::error_code ec;
    if (root.size() < 2 || root[1] != L':' || !std::filesystem::is_directory(machine_.hostPath(root.substr(0, 2)), ec))
        return ErrorPathNotFound;
    const std::string letter = toUtf8(std::wstring(1, static_cast<wchar_t>(std::towupper(root[0]))));
    const auto& disks = section("disks");
    nlohmann::json entry = nlohmann::json::object();
    for (const auto& key : {letter + ":", letter}) {
        if (disks.contains(key))
            entry = disks[key];
    }
    space.totalBytes = bytesOf(entry, "totalBytes", "totalGB", 256 * kGiB);
    space.totalFreeBytes = bytesOf(entry, "freeBytes", "freeGB", 128 * kGiB);
    space.freeBytesAvailable = space.totalFreeBytes;
    return ErrorSuccess;
}

Status SimSystemInfo::memoryStatus(MemoryStatus& status)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto& memory = section("memory");
    if (memberOr(memory, "unreadable", false))
        return ErrorInvalidParameter;
    status.totalPhys = memberOr(memory, "totalPhys", kDefaultTotalPhys);
    status.availPhys = memberOr(memory, "availPhys", status.totalPhys / 2);
    status.totalPageFile = memberOr(memory, "totalPageFile", status.totalPhys + 2 * kGiB);
    status.availPageFile = memberOr(memory, "availPageFile", status.availPhys + kGiB);
    status.memoryLoad = status.totalPhys == 0
                            ? 0
                            : static_cast<std::uint32_t>(100 - status.availPhys * 100 / status.totalPhys);
    return ErrorSuccess;
}

std::map<std::wstring, std::wstring> SimSystemInfo::environment() const
{
    std::wstring systemDirectory = fromUtf8(memberOr(section("system"), "systemDirectory", "C:\\Windows\\system32"));
    std::wstring drive = systemDirectory.substr(0, 2);
    std::wstring windows = systemDirectory.substr(0, systemDirectory.find_last_of(L'\\'));
    // Under another account the session user's own variables stand, as ExpandEnvironmentStringsForUserW gives.
    nlohmann::json overrides = section("environment");
    const auto& user = section("interactiveUser");
    auto userVariables = user.find("environment");
    if (!SimInteractiveUser(machine_).otherUserSid().empty() && userVariables != user.end() &&
        userVariables->is_object())
        overrides.update(*userVariables);
    auto given = [&](const char* name, const std::wstring& fallback) {
        for (auto it = overrides.begin(); it != overrides.end(); ++it) {
            if (equalsIgnoreCase(fromUtf8(it.key()), fromUtf8(name)) && it->is_string())
                return fromUtf8(it->get<std::string>());
        }
        return fallback;
    };
    std::map<std::wstring, std::wstring> variables;
    auto set = [&](const char* name, const std::wstring& value) { variables[lower(fromUtf8(name))] = given(name, value); };
    set("SystemDrive", drive);
    set("SystemRoot", windows);
    set("windir", windows);
    set("ProgramData", drive + L"\\ProgramData");
    set("ALLUSERSPROFILE", drive + L"\\ProgramData");
    // A 32-bit process on 64-bit Windows is given the 32-bit program folders under the usual names.
    const std::wstring programFiles =
        drive + (SimWow64(machine_).active() ? L"\\Program Files (x86)" : L"\\Program Files");
    set("ProgramFiles", programFiles);
    set("ProgramFiles(x86)", drive + L"\\Program Files (x86)");
    set("ProgramW6432", drive + L"\\Program Files");
    set("CommonProgramFiles", programFiles + L"\\Common Files");
    set("CommonProgramFiles(x86)", drive + L"\\Program Files (x86)\\Common Files");
    set("CommonProgramW6432", drive + L"\\Program Files\\Common Files");
    set("PUBLIC", drive + L"\\Users\\Public");
    set("USERNAME", L"User");
    set("USERPROFILE", drive + L"\\Users\\" + variables[L"username"]);
    set("APPDATA", variables[L"userprofile"] + L"\\AppData\\Roaming");
    set("LOCALAPPDATA", variables[L"userprofile"] + L"\\AppData\\Local");
    set("TEMP", variables[L"localappdata"] + L"\\Temp");
    set("TMP", variables[L"temp"]);
    for (auto it = overrides.begin(); it != overrides.end(); ++it) {
        if (it->is_string())
            variables.emplace(lower(fromUtf8(it.key())), fromUtf8(it->get<std::string>()));
    }
    return variables;
}

Status SimSystemInfo::expandEnvironment(const std::wstring& text, std::wstring& expanded)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto variables = environment();
    expanded.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t open = text.find(L'%', i);
        std::size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            expanded += text.substr(i);
            break;
        }
        expanded += text.substr(i, open - i);
        auto found = variables.find(lower(text.substr(open + 1, close - open - 1)));
        if (found != variables.end() && close > open + 1) {
            expanded += found->second;
            i = close + 1;
        } else {
            // Not a variable: keep the text, and let the second percent sign open the next name.
            expanded += text.substr(open, close - open);
            i = close;
        }
    }
    return ErrorSuccess;
}

Status SimSystemInfo::joinStatus(JoinStatus& status)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto value = memberOr(section("system"), "joinStatus", nlohmann::json("workgroup"));
    if (value == "fails")
        return ErrorAccessDenied;
    if (value.is_number_unsigned()) {
        status = static_cast<JoinStatus>(value.get<std::uint32_t>());
        return ErrorSuccess;
    }
    for (const auto& [name, join] : kJoinStatuses) {
        if (value == name) {
            status = join;
            return ErrorSuccess;
        }
    }
    return ErrorInvalidData;
}

Status SimSystemInfo::memoryListCommand(std::uint32_t command)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto& security = section("security");
    if (!memberOr(security, "administrator", true))
        return ErrorPrivilegeNotHeld;
    if (command > kPurgeLowPriorityStandbyList)
        return ErrorInvalidParameter;
    machine_.journal("memory list command " + std::to_string(command) + " (SystemMemoryListInformation)");
    if (command == kEmptyWorkingSets)
        SimProcesses::trimAll(machine_);
    return ErrorSuccess;
}

std::uint32_t SimSystemInfo::driveType(const std::wstring& root)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::error_code ec;
    if (root.size() < 2 || root[1] != L':' || !std::filesystem::is_directory(machine_.hostPath(root.substr(0, 2)), ec))
        return DriveType::NoRootDir;
    const std::string letter = toUtf8(std::wstring(1, static_cast<wchar_t>(std::towupper(root[0]))));
    const auto& disks = section("disks");
    std::string type = "fixed";
    for (const auto& key : {letter + ":", letter}) {
        if (disks.contains(key) && disks[key].is_object())
            type = disks[key].value("type", type);
    }
    for (const auto& [name, value] : kDriveTypes) {
        if (type == name)
            return value;
    }
    return DriveType::Unknown;
}

Status SimSystemInfo::restorePoints(std::vector<RestorePoint>& points)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    points.clear();
    const auto& document = machine_.document();
    if (document.value("wmiComFails", false))
        return ErrorAccessDenied;
    auto it = document.find("restorePoints");
    if (it == document.end() || !it->is_array())
        return ErrorSuccess;
    for (const auto& entry : *it) {
        if (!entry.is_object())
            continue;
        RestorePoint point;
        point.sequenceNumber = entry.value("sequenceNumber", 0u);
        point.description = fromUtf8(entry.value("description", std::string()));
        point.creationTime = fromUtf8(entry.value("creationTime", std::string()));
        points.push_back(point);
    }
    return ErrorSuccess;
}

Status SimSystemInfo::removeRestorePoint(std::uint32_t sequenceNumber)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    auto& document = machine_.document();
    auto it = document.find("restorePoints");
    if (it == document.end() || !it->is_array())
        return ErrorInvalidData;
    for (auto entry = it->begin(); entry != it->end(); ++entry) {
        if (entry->is_object() && entry->value("sequenceNumber", 0u) == sequenceNumber) {
            machine_.journal("restore point " + std::to_string(sequenceNumber) + " removed (" +
                             entry->value("description", std::string()) + ")");
            it->erase(entry);
            machine_.keep(nlohmann::json::json_pointer("/restorePoints"));
            return ErrorSuccess;
        }
    }
    return ErrorInvalidData;
}

} // namespace platform::sim
