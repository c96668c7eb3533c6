#pragma once

#include "platform/Registry.h"

// Where Windows starts programs from, as the start-up count and the deep analysis read it. Source numbers
// are the fixed ones phase 2 dispatches on.
namespace StartupSources {

struct RunKey {
    platform::Hive hive;
    const char* subKey;
    const char* label;
    int sourceType;
};

struct Folder {
    const char* path; // before ExpandEnvironmentStringsW
    const char* label;
    int sourceType;
};

inline constexpr char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunOnce[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char kWow64Run[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kPoliciesRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
inline constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr char kWindows[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr char kShellExtensions[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

using platform::Hive;

// The run keys, in the order of the deep analysis; the phase-1 count reads the same keys.
inline constexpr RunKey kDeepRunKeys[] = {
    {Hive::LocalMachine, kRun, "HKLM Run", 1},
    {Hive::CurrentUser, kRun, "HKCU Run", 2},
    {Hive::LocalMachine, kRunOnce, "HKLM RunOnce", 3},
    {Hive::CurrentUser, kRunOnce, "HKCU RunOnce", 4},
    {Hive::LocalMachine, kWow64Run, "WOW64 Run", 5},
    {Hive::LocalMachine, kPoliciesRun, "Policies Run(HKLM)", 6},
    {Hive::CurrentUser, kPoliciesRun, "Policies Run(HKCU)", 6},
};

inline constexpr Folder kFolders[] = {
    {"%ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\", "Common Startup", 10},
    {"%APPDATA%\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\", "User Startup", 11},
};

// The Winlogon hooks and the program name each must still contain.
struct WinlogonHook {
    const char* valueName;
    const char* expected;
};
inline constexpr WinlogonHook kWinlogonHooks[] = {{"Shell", "explorer.exe"}, {"Userinit", "userinit.exe"}};

// The values of the Windows key that start a program whenever they are not empty.
inline constexpr const char* kWindowsStarters[] = {"AppInit_DLLs", "Load", "Run"};

inline constexpr char kScheduledTaskLabel[] = "计划任务";

inline constexpr std::uint32_t kMaxValueNameChars = 1024;
inline constexpr std::uint32_t kMaxRunDataBytes = 4096;
inline constexpr std::uint32_t kMaxHookDataBytes = 8192;

} // namespace StartupSources

namespace StartupSources {

inline constexpr const char* kDeepPatterns[] = {".exe", ".lnk", ".bat", ".cmd", ".vbs"};
inline constexpr const char* kCountedPatterns[] = {".exe", ".lnk", ".bat", ".cmd", ".vbs", ".ps1", ".wsf"};

} // namespace StartupSources
