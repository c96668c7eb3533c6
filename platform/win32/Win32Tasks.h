#pragma once

#include "platform/Tasks.h"

namespace platform::win32 {

// Task Scheduler 2.0 over COM. Every object it hands out keeps COM initialised (multithreaded) on the
// calling thread for as long as it holds interface pointers.
class Win32Tasks : public Tasks {
public:
    Status folder(const std::wstring& path, std::unique_ptr<TaskFolder>& folder) override;
};

} // namespace platform::win32
