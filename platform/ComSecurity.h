#pragma once

#include <cstdint>

namespace platform {

// COM's process-wide security, set once in main before any thread makes a COM call, with the calling
// thread's apartment entered for the life of the process. Without it the first COM call of any thread
// fixes the settings for the whole process, and WMI and the Task Scheduler may then refuse to
// impersonate. The Win32 error of the setting (0 when it was set, or when the backend has no COM).
std::uint32_t setComSecurity();

} // namespace platform
