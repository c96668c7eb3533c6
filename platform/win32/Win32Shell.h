#pragma once

#include "platform/Shell.h"

namespace platform::win32 {

// Shell links over COM (initialised multithreaded around each use) and version resources.
class Win32Shell : public Shell {
public:
    Status shortcutTarget(const std::wstring& lnkPath, std::wstring& target, std::wstring& arguments) override;
    Status fileDescription(const std::wstring& path, std::wstring& description) override;
};

} // namespace platform::win32
