#pragma once

#include <windows.h>

#include <vector>

namespace platform::win32 {

// The handles a child process may inherit, as the attribute list of STARTUPINFOEXW. Without it a child
// inherits every inheritable handle of this process at that moment, so two tools started at once from two
// threads each hold the other's pipe and neither pipe ends when its own tool does.
class InheritedHandles {
public:
    explicit InheritedHandles(std::vector<HANDLE> handles);
    ~InheritedHandles();
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;

    // Builds the list; the Win32 error when it cannot.
    DWORD prepare();

    LPPROC_THREAD_ATTRIBUTE_LIST list() { return reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data()); }

private:
    std::vector<HANDLE> handles_; // must outlive the list, which points into it
    std::vector<unsigned char> storage_;
    bool initialised_ = false;
};

} // namespace platform::win32
