#pragma once

#include "platform/RegistryValue.h"
#include "platform/Status.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class Hive { LocalMachine, CurrentUser, Users, ClassesRoot };

// KEY_READ, KEY_WRITE (KEY_SET_VALUE | KEY_CREATE_SUB_KEY) or both.
enum class RegAccess { Read, Write, ReadWrite };

// KEY_WOW64_64KEY / KEY_WOW64_32KEY, or neither. The engine always asks for the native 64-bit view and
// reads WOW6432Node explicitly; on the simulated PC WOW6432Node is an ordinary key and the view is moot.
enum class RegView { Default, Native64, Redirected32 };

// An open registry key (HKEY). Closing is the destructor's job (RegCloseKey).
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // RegEnumKeyExW: the name of the subkey at `index`. ERROR_NO_MORE_ITEMS past the last one;
    // ERROR_MORE_DATA when the name has more than `maxNameChars` characters (terminating null included).
    virtual Status enumKey(std::uint32_t index, std::wstring& name, std::uint32_t maxNameChars = 256) const = 0;

    // RegEnumValueW: name, type and data of the value at `index`. ERROR_NO_MORE_ITEMS past the last one;
    // ERROR_MORE_DATA when the name (with its null) exceeds `maxNameChars` or the data exceeds
    // `maxDataBytes`; then `requiredBytes` (when given) receives the data size.
    virtual Status enumValue(std::uint32_t index, std::wstring& name, RegValue& value,
                             std::uint32_t maxNameChars = 16384, std::uint32_t maxDataBytes = 1u << 20,
                             std::uint32_t* requiredBytes = nullptr) const = 0;

    // RegQueryValueExW with a buffer of `maxDataBytes`: ERROR_FILE_NOT_FOUND for a missing value,
    // ERROR_MORE_DATA (and `requiredBytes`) when the data does not fit.
    virtual Status queryValue(const std::wstring& name, RegValue& value, std::uint32_t maxDataBytes = 1u << 20,
                              std::uint32_t* requiredBytes = nullptr) const = 0;

    // RegSetValueExW.
    virtual Status setValue(const std::wstring& name, const RegValue& value) = 0;

    // RegDeleteValueW: ERROR_FILE_NOT_FOUND when the value does not exist.
    virtual Status deleteValue(const std::wstring& name) = 0;

    // RegQueryInfoKeyW: number of values and of subkeys.
    virtual Status valueCount(std::uint32_t& count) const = 0;
    virtual Status subKeyCount(std::uint32_t& count) const = 0;
};

// The registry group (ADVAPI32).
class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExW: ERROR_FILE_NOT_FOUND when the key does not exist.
    virtual Status openKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                           std::unique_ptr<RegistryKey>& key) = 0;

    // RegCreateKeyExW (non-volatile): opens the key, creating it and any missing parents.
    virtual Status createKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                             std::unique_ptr<RegistryKey>& key) = 0;

    // RegDeleteKeyExW: deletes a key without subkeys.
    virtual Status deleteKey(Hive /*hive*/, const std::wstring& /*subKey*/, RegView /*view*/)
    {
        return ErrorCallNotImplemented;
    }
};

} // namespace platform
