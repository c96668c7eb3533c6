#pragma once

#include "platform/Status.h"

#include <windows.h>

namespace platform::win32 {

// A COM result as the Win32 error code the interfaces speak: HRESULT_FROM_WIN32 values (E_ACCESSDENIED and
// E_OUTOFMEMORY among them) give back their code, E_NOTIMPL is ERROR_CALL_NOT_IMPLEMENTED; any other
// failure keeps its HRESULT bits, which no Win32 error code collides with.
inline Status statusFromHresult(HRESULT result)
{
    if (SUCCEEDED(result))
        return ErrorSuccess;
    if (HRESULT_FACILITY(result) == FACILITY_WIN32)
        return static_cast<Status>(HRESULT_CODE(result));
    if (result == E_NOTIMPL)
        return ErrorCallNotImplemented;
    return static_cast<Status>(result);
}

} // namespace platform::win32
