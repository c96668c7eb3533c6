#pragma once

#include "platform/Registry.h"

namespace platform::win32 {

// The registry group over ADVAPI32. RegView::Native64 adds KEY_WOW64_64KEY, so a 32-bit process sees
// the same keys as a 64-bit one; WOW6432Node is then reached by naming it in the path.
class Win32Registry : public Registry {
public:
    Status openKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                   std::unique_ptr<RegistryKey>& key) override;
    Status createKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                     std::unique_ptr<RegistryKey>& key) override;
    Status deleteKey(Hive hive, const std::wstring& subKey, RegView view) override;
};

} // namespace platform::win32
