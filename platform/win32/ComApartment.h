#pragma once

#include <windows.h>
#include <objbase.h>

namespace platform::win32 {

// COM initialised in the multithreaded model for as long as the object lives. A thread already in
// another model keeps it (RPC_E_CHANGED_MODE) and is then not uninitialised by us.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }

private:
    HRESULT result_;
};

} // namespace platform::win32
