#pragma once

#include "platform/Status.h"

#include <windows.h>

namespace platform::win32 {

// The ntdll entry points the program needs, looked up at run time: they are not in the import
// libraries of every toolchain, and a missing one must be a failure, not a load error.
class NtdllFunctions {
public:
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    using NtSetSystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG);
    using RtlNtStatusToDosErrorFn = ULONG(WINAPI*)(LONG);

    NtdllFunctions();

    RtlGetVersionFn rtlGetVersion = nullptr;
    NtSetSystemInformationFn ntSetSystemInformation = nullptr;

    // The Win32 error code of an NTSTATUS (0 stays 0).
    Status toWin32(LONG ntStatus) const;

private:
    RtlNtStatusToDosErrorFn rtlNtStatusToDosError_ = nullptr;
};

} // namespace platform::win32
