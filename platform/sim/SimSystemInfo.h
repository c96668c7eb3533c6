#pragma once

#include "platform/SystemInfo.h"
#include "platform/sim/SimMachine.h"

#include <map>

namespace platform::sim {

// System information on the simulated PC:
//   "system": { "systemDirectory": "C:\\Windows\\system32",
//               "version": { "major": 10, "minor": 0, "build": 19045, "servicePack": 0 },
//               "joinStatus": "workgroup",                   // or "unjoined", "domain", "fails"
//               "wow64": true },                             // the program runs as a 32-bit process
//   "power": { "acLineStatus": 0, "batteryFlag": 8, "batteryLifePercent": 25 },   // or "fails": true
//   "disks": { "C:": { "totalBytes": 256060514304, "freeBytes": 38654705664 } },  // or totalGB / freeGB
//   "memory": { "totalPhys": 8589934592, "availPhys": 2147483648 },
//   "environment": { "USERPROFILE": "C:\\Users\\Lenovo", "TEMP": "..." },
//   "restorePoints": [ { "sequenceNumber": 41, "description": "Windows Update", "creationTime": "2026..." } ]
// "wmiComFails": true makes the WMI query through COM fail (wmic still answers from the same points).
// A drive's type comes from "type" in its "disks" entry ("fixed", "removable", "remote", "cdrom", "ramdisk");
// a drive folder without one is fixed.
// An empty "systemDirectory" makes GetSystemDirectoryW fail. Without a "power" section the PC is a desktop
// on mains; the environment has the usual variables, derived from the system directory and the user
// profile, which the "environment" section overrides or extends.
class SimSystemInfo : public SystemInfo {
public:
    explicit SimSystemInfo(SimMachine& machine);

    Status systemDirectory(std::wstring& path, std::uint32_t maxChars) override;
    Status isWow64Process(bool& wow64) override;
    Status version(OsVersion& version) override;
    Status powerStatus(PowerStatus& status) override;
    Status diskSpace(const std::wstring& root, DiskSpace& space) override;
    Status memoryStatus(MemoryStatus& status) override;
    Status expandEnvironment(const std::wstring& text, std::wstring& expanded) override;
    Status joinStatus(JoinStatus& status) override;
    Status memoryListCommand(std::uint32_t command) override;
    std::uint32_t driveType(const std::wstring& root) override;
    Status restorePoints(std::vector<RestorePoint>& points) override;
    Status removeRestorePoint(std::uint32_t sequenceNumber) override;

    // Without a "memory" section: 8 GiB, half of it available.
    static constexpr std::uint64_t kDefaultTotalPhys = 8ull << 30;

    // SYSTEM_MEMORY_LIST_COMMAND values.
    static constexpr std::uint32_t kEmptyWorkingSets = 2;
    static constexpr std::uint32_t kPurgeLowPriorityStandbyList = 5;

private:
    const nlohmann::json& section(const char* name) const;
    std::map<std::wstring, std::wstring> environment() const; // keyed by the lower-case name

    SimMachine& machine_;
};

} // namespace platform::sim
