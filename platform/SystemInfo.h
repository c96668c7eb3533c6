#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// RTL_OSVERSIONINFOEXW as RtlGetVersion fills it.
struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint16_t servicePackMajor = 0;
    std::uint8_t productType = 1; // VER_NT_WORKSTATION
};

// SYSTEM_POWER_STATUS as GetSystemPowerStatus fills it: AC line 0 offline, 1 online, 255 unknown;
// battery flag 128 = no system battery, 255 = unknown; life percent 0..100 or 255 unknown.
struct PowerStatus {
    std::uint8_t acLineStatus = 1;
    std::uint8_t batteryFlag = 128;
    std::uint8_t batteryLifePercent = 255;
};

// MEMORYSTATUSEX as GlobalMemoryStatusEx fills it.
struct MemoryStatus {
    std::uint32_t memoryLoad = 0;
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availPageFile = 0;
};

// GetDiskFreeSpaceExW.
struct DiskSpace {
    std::uint64_t freeBytesAvailable = 0;
    std::uint64_t totalBytes = 0;
    std::uint64_t totalFreeBytes = 0;
};

// GetDriveTypeW values.
namespace DriveType {
constexpr std::uint32_t Unknown = 0;
constexpr std::uint32_t NoRootDir = 1;
constexpr std::uint32_t Removable = 2;
constexpr std::uint32_t Fixed = 3;
constexpr std::uint32_t Remote = 4;
constexpr std::uint32_t CdRom = 5;
constexpr std::uint32_t RamDisk = 6;
} // namespace DriveType

// One instance of the SystemRestore class in WMI's root\default namespace.
struct RestorePoint {
    std::uint32_t sequenceNumber = 0;
    std::wstring description;
    std::wstring creationTime; // CIM datetime, "20261108093012.000000-000"
};

// NETSETUP_JOIN_STATUS.
enum class JoinStatus : std::uint32_t { Unknown = 0, Unjoined = 1, Workgroup = 2, Domain = 3 };

// The system-information group (ntdll, kernel32, netapi32).
class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // GetSystemDirectoryW with a buffer of `maxChars` characters; ERROR_INSUFFICIENT_BUFFER when too small.
    virtual Status systemDirectory(std::wstring& path, std::uint32_t maxChars = 260) = 0;

    // IsWow64Process for the current process: true when a 32-bit process runs on 64-bit Windows, where the
    // file system redirects "%WINDIR%\System32" to SysWOW64 and "%WINDIR%\Sysnative" names the native folder.
    virtual Status isWow64Process(bool& /*wow64*/) { return ErrorCallNotImplemented; }

    // RtlGetVersion, resolved from ntdll at run time: ERROR_PROC_NOT_FOUND style failures come back as
    // ErrorNotFound.
    virtual Status version(OsVersion& /*version*/) { return ErrorCallNotImplemented; }

    // GetSystemPowerStatus.
    virtual Status powerStatus(PowerStatus& /*status*/) { return ErrorCallNotImplemented; }

    // GetDiskFreeSpaceExW for a root such as "C:\".
    virtual Status diskSpace(const std::wstring& /*root*/, DiskSpace& /*space*/) { return ErrorCallNotImplemented; }

    // GlobalMemoryStatusEx.
    virtual Status memoryStatus(MemoryStatus& /*status*/) { return ErrorCallNotImplemented; }

    // ExpandEnvironmentStringsW: variables that are not defined stay as they are ("%NOPE%").
    virtual Status expandEnvironment(const std::wstring& /*text*/, std::wstring& /*expanded*/)
    {
        return ErrorCallNotImplemented;
    }

    // NetGetJoinInformation for the local machine.
    virtual Status joinStatus(JoinStatus& /*status*/) { return ErrorCallNotImplemented; }

    // NtSetSystemInformation(SystemMemoryListInformation, command) after enabling
    // SeProfileSingleProcessPrivilege; `command` is a SYSTEM_MEMORY_LIST_COMMAND value.
    virtual Status memoryListCommand(std::uint32_t /*command*/) { return ErrorCallNotImplemented; }

    // GetDriveTypeW for a root such as "C:\": a DriveType value (NoRootDir for a drive that is not there).
    virtual std::uint32_t driveType(const std::wstring& /*root*/) { return DriveType::Unknown; }

    // The system restore points, read from WMI (root\default, SystemRestore) through COM, in the order WMI
    // gives them. An empty list when system protection has none; WAIT_TIMEOUT when WMI did not answer in
    // time (each call waits a few seconds, the whole listing half a minute), never a part of the list.
    virtual Status restorePoints(std::vector<RestorePoint>& /*points*/) { return ErrorCallNotImplemented; }

    // SRRemoveRestorePoint from srclient.dll, resolved at run time: its own error code (ERROR_INVALID_DATA
    // for a sequence number no point has).
    virtual Status removeRestorePoint(std::uint32_t /*sequenceNumber*/) { return ErrorCallNotImplemented; }
};

} // namespace platform
