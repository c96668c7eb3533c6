#pragma once

#include "platform/Registry.h"

#include <windows.h>

#include <mutex>
#include <string>

namespace platform::win32 {

// The registry group over ADVAPI32. RegView::Native64 adds KEY_WOW64_64KEY, so a 32-bit process sees
// the same keys as a 64-bit one; WOW6432Node is then reached by naming it in the path. Hive::CurrentUser
// is the hive of the user logged on to the program's session (HKEY_USERS\<SID>) when the program runs as
// another account, looked up once (findInteractiveUser); HKEY_CURRENT_USER otherwise, and when that user
// cannot be found.
class Win32Registry : public Registry {
public:
    Status openKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                   std::unique_ptr<RegistryKey>& key) override;
    Status createKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                     std::unique_ptr<RegistryKey>& key) override;
    Status deleteKey(Hive hive, const std::wstring& subKey, RegView view) override;

private:
    // The root key for `hive`, with `subKey` moved below the interactive user's SID where that applies.
    HKEY resolve(Hive hive, std::wstring& subKey);

    std::once_flag userLookedUp_;
    std::wstring otherUserSid_; // empty: HKEY_CURRENT_USER is the interactive user's own
};

} // namespace platform::win32
