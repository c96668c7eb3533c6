#pragma once

#include <windows.h>
#include <objbase.h>

namespace platform::win32 {

// COM for the calling thread, entered on first use and left only when the thread ends: an apartment left
// at the end of each call would pull COM away under objects a caller still holds, and objects made in it
// are released on this thread, never on another. Single-threaded, because the shell's objects need that
// and WMI and the Task Scheduler work in either; a thread already in the other model (RPC_E_CHANGED_MODE,
// as one that Qt or a caller set up) keeps it and is not left by us.
class ComApartment {
public:
    static void enter() { thread_local const ComApartment apartment; }

    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }

private:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}

    HRESULT result_;
};

} // namespace platform::win32
