#pragma once

#include "platform/Registry.h"
#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

// An open HKEY; the owner closes it with RegCloseKey.
class Win32RegistryKey : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueKey key);

    Status enumKey(std::uint32_t index, std::wstring& name, std::uint32_t maxNameChars) const override;
    Status enumValue(std::uint32_t index, std::wstring& name, RegValue& value, std::uint32_t maxNameChars,
                     std::uint32_t maxDataBytes, std::uint32_t* requiredBytes) const override;
    Status queryValue(const std::wstring& name, RegValue& value, std::uint32_t maxDataBytes,
                      std::uint32_t* requiredBytes) const override;
    Status setValue(const std::wstring& name, const RegValue& value) override;
    Status deleteValue(const std::wstring& name) override;
    Status valueCount(std::uint32_t& count) const override;
    Status subKeyCount(std::uint32_t& count) const override;

private:
    UniqueKey key_;
};

} // namespace platform::win32
