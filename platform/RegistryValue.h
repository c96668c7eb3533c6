#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Value types as RegQueryValueExW reports them.
enum class RegType : std::uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    MultiSz = 7,
    Qword = 11,
};

// A registry value exactly as Windows stores it: the type and the raw bytes. Strings are UTF-16LE with
// their terminating null, as RegSetValueExW receives them, so byte limits mean the same on every backend.
struct RegValue {
    RegType type = RegType::None;
    std::vector<std::uint8_t> data;

    static RegValue dword(std::uint32_t value);
    static RegValue qword(std::uint64_t value);
    static RegValue string(const std::wstring& text, RegType type = RegType::Sz);
    static RegValue multiString(const std::vector<std::wstring>& texts);
    static RegValue binary(std::vector<std::uint8_t> bytes);

    // The DWORD held by a REG_DWORD value of at least four bytes, nothing otherwise.
    std::optional<std::uint32_t> asDword() const;
    // The text of a REG_SZ or REG_EXPAND_SZ value up to its first null; empty for other types.
    std::wstring asString() const;
    std::vector<std::wstring> asMultiString() const;

    bool operator==(const RegValue& other) const { return type == other.type && data == other.data; }
};

// UTF-16LE bytes of a text, with or without a terminating null, and back.
std::vector<std::uint8_t> utf16leBytes(const std::wstring& text, bool withNull);
std::wstring fromUtf16le(const std::uint8_t* bytes, std::size_t count);

} // namespace platform
