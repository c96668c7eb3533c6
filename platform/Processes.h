#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// PROCESSENTRY32W, the members the program reads.
struct ProcessEntry {
    std::uint32_t pid = 0;
    std::uint32_t parentPid = 0;
    std::wstring exeName; // szExeFile: the executable's file name, no path
};

// The processes group (Toolhelp, kernel32, psapi).
class Processes {
public:
    virtual ~Processes() = default;

    // CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS) + Process32FirstW / Process32NextW.
    virtual Status snapshot(std::vector<ProcessEntry>& /*processes*/) { return ErrorCallNotImplemented; }

    // OpenProcess(PROCESS_SET_QUOTA | PROCESS_QUERY_INFORMATION) + SetProcessWorkingSetSize(-1, -1), with the
    // debug privilege enabled; ERROR_ACCESS_DENIED for a protected process.
    virtual Status trimWorkingSet(std::uint32_t /*pid*/) { return ErrorCallNotImplemented; }

    // OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION) + QueryFullProcessImageNameW.
    virtual Status imagePath(std::uint32_t /*pid*/, std::wstring& /*path*/) { return ErrorCallNotImplemented; }

    // GetCurrentProcessId.
    virtual std::uint32_t currentProcessId() { return 0; }
};

} // namespace platform
