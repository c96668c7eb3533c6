#include "platform/win32/Win32Registry.h"

#include "platform/win32/InteractiveUser.h"
#include "platform/win32/Win32RegistryKey.h"

namespace platform::win32 {

namespace {

HKEY rootKey(Hive hive)
{
    switch (hive) {
    case Hive::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case Hive::CurrentUser:
        return HKEY_CURRENT_USER;
    case Hive::Users:
        return HKEY_USERS;
    case Hive::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

REGSAM viewFlag(RegView view)
{
    switch (view) {
    case RegView::Native64:
        return KEY_WOW64_64KEY;
    case RegView::Redirected32:
        return KEY_WOW64_32KEY;
    case RegView::Default:
        break;
    }
    return 0;
}

REGSAM accessMask(RegAccess access, RegView view)
{
    REGSAM mask = KEY_READ;
    if (access == RegAccess::Write)
        mask = KEY_WRITE;
    else if (access == RegAccess::ReadWrite)
        mask = KEY_READ | KEY_WRITE;
    return mask | viewFlag(view);
}

} // namespace

HKEY Win32Registry::resolve(Hive hive, std::wstring& subKey)
{
    if (hive != Hive::CurrentUser)
        return rootKey(hive);
    std::call_once(userLookedUp_, [this] {
        InteractiveUser user;
        if (findInteractiveUser(user) == ErrorSuccess && !user.isProcessUser)
            otherUserSid_ = user.sid;
    });
    if (otherUserSid_.empty())
        return HKEY_CURRENT_USER;
    subKey = subKey.empty() ? otherUserSid_ : otherUserSid_ + L"\\" + subKey;
    return HKEY_USERS;
}

Status Win32Registry::openKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                              std::unique_ptr<RegistryKey>& key)
{
    key.reset();
    HKEY opened = nullptr;
    std::wstring path = subKey;
    const HKEY root = resolve(hive, path);
    const LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, accessMask(access, view), &opened);
    if (status != ERROR_SUCCESS)
        return static_cast<Status>(status);
    key = std::make_unique<Win32RegistryKey>(UniqueKey(opened));
    return ErrorSuccess;
}

Status Win32Registry::createKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                                std::unique_ptr<RegistryKey>& key)
{
    key.reset();
    HKEY created = nullptr;
    std::wstring path = subKey;
    const HKEY root = resolve(hive, path);
    const LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           accessMask(access, view), nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS)
        return static_cast<Status>(status);
    key = std::make_unique<Win32RegistryKey>(UniqueKey(created));
    return ErrorSuccess;
}

Status Win32Registry::deleteKey(Hive hive, const std::wstring& subKey, RegView view)
{
    std::wstring path = subKey;
    const HKEY root = resolve(hive, path);
    return static_cast<Status>(RegDeleteKeyExW(root, path.c_str(), viewFlag(view), 0));
}

} // namespace platform::win32
