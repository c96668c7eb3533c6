#pragma once

#include "platform/Status.h"

namespace platform::win32 {

// Enables one privilege (SE_..._NAME) in the process token. ERROR_PRIVILEGE_NOT_HELD when the token
// does not have it at all: AdjustTokenPrivileges succeeds then and only GetLastError tells.
Status enablePrivilege(const wchar_t* name);

} // namespace platform::win32
