#include "platform/win32/Win32RegistryKey.h"

#include "platform/win32/Win32Buffer.h"

namespace platform::win32 {

namespace {

void report(std::uint32_t* requiredBytes, DWORD bytes)
{
    if (requiredBytes)
        *requiredBytes = bytes;
}

} // namespace

Win32RegistryKey::Win32RegistryKey(UniqueKey key)
    : key_(std::move(key))
{
}

Status Win32RegistryKey::enumKey(std::uint32_t index, std::wstring& name, std::uint32_t maxNameChars) const
{
    std::wstring buffer(maxNameChars, L'\0');
    DWORD chars = maxNameChars;
    const LSTATUS status =
        RegEnumKeyExW(key_.get(), index, buffer.data(), &chars, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
        return static_cast<Status>(status);
    buffer.resize(chars);
    name = std::move(buffer);
    return ErrorSuccess;
}

// RegEnumValueW answers ERROR_MORE_DATA alike for a name and for data too long for their buffers. With a
// name buffer for the key's longest name, only the data can be too long; the limits asked for are applied
// afterwards. A value written meanwhile may outgrow the sizes read: they are read again.
Status Win32RegistryKey::enumValue(std::uint32_t index, std::wstring& name, RegValue& value,
                                   std::uint32_t maxNameChars, std::uint32_t maxDataBytes,
                                   std::uint32_t* requiredBytes) const
{
    constexpr int rounds = 4;
    std::wstring nameBuffer;
    std::vector<std::uint8_t> data;
    DWORD nameChars = 0;
    DWORD bytes = 0;
    DWORD type = REG_NONE;
    LSTATUS status = ERROR_MORE_DATA;
    for (int round = 0; round < rounds && status == ERROR_MORE_DATA; ++round) {
        DWORD longestName = 0;
        DWORD longestData = 0;
        status = RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  &longestName, &longestData, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return static_cast<Status>(status);
        nameBuffer.assign(longestName + 1, L'\0');
        data.assign(longestData < maxDataBytes ? longestData : maxDataBytes, 0);
        nameChars = longestName + 1;
        bytes = static_cast<DWORD>(data.size());
        status = RegEnumValueW(key_.get(), index, nameBuffer.data(), &nameChars, nullptr, &type,
                               data.empty() ? nullptr : data.data(), &bytes);
        if (status == ERROR_MORE_DATA && bytes > data.size()) {
            report(requiredBytes, bytes);
            return ErrorMoreData;
        }
    }
    if (status != ERROR_SUCCESS)
        return static_cast<Status>(status);
    report(requiredBytes, bytes);
    if (nameChars + 1 > maxNameChars)
        return ErrorMoreData;
    data.resize(bytes);
    nameBuffer.resize(nameChars);
    name = std::move(nameBuffer);
    value.type = static_cast<RegType>(type);
    value.data = std::move(data);
    return ErrorSuccess;
}

Status Win32RegistryKey::queryValue(const std::wstring& name, RegValue& value, std::uint32_t maxDataBytes,
                                    std::uint32_t* requiredBytes) const
{
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    DWORD needed = 0;
    const Status status = queryThenFill(data, maxDataBytes, needed, [&](BYTE* bytes, DWORD& size) {
        return static_cast<Status>(RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, bytes, &size));
    });
    report(requiredBytes, needed);
    if (status != ErrorSuccess)
        return status;
    data.resize(needed);
    value.type = static_cast<RegType>(type);
    value.data = std::move(data);
    return ErrorSuccess;
}

Status Win32RegistryKey::setValue(const std::wstring& name, const RegValue& value)
{
    return static_cast<Status>(RegSetValueExW(key_.get(), name.c_str(), 0, static_cast<DWORD>(value.type),
                                              value.data.data(), static_cast<DWORD>(value.data.size())));
}

Status Win32RegistryKey::deleteValue(const std::wstring& name)
{
    return static_cast<Status>(RegDeleteValueW(key_.get(), name.c_str()));
}

Status Win32RegistryKey::valueCount(std::uint32_t& count) const
{
    DWORD values = 0;
    const LSTATUS status = RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            &values, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS)
        count = values;
    return static_cast<Status>(status);
}

Status Win32RegistryKey::subKeyCount(std::uint32_t& count) const
{
    DWORD subKeys = 0;
    const LSTATUS status = RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS)
        count = subKeys;
    return static_cast<Status>(status);
}

} // namespace platform::win32
