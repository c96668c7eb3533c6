#include "platform/win32/NtdllFunctions.h"

namespace platform::win32 {

namespace {

template <typename Function>
Function resolve(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

NtdllFunctions::NtdllFunctions()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    rtlGetVersion = resolve<RtlGetVersionFn>(ntdll, "RtlGetVersion");
    ntSetSystemInformation = resolve<NtSetSystemInformationFn>(ntdll, "NtSetSystemInformation");
    rtlNtStatusToDosError_ = resolve<RtlNtStatusToDosErrorFn>(ntdll, "RtlNtStatusToDosError");
}

Status NtdllFunctions::toWin32(LONG ntStatus) const
{
    if (ntStatus == 0)
        return ErrorSuccess;
    if (!rtlNtStatusToDosError_)
        return ErrorInvalidParameter;
    return static_cast<Status>(rtlNtStatusToDosError_(ntStatus));
}

} // namespace platform::win32
