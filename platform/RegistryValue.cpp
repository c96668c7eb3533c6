#include "platform/RegistryValue.h"

namespace platform {

std::vector<std::uint8_t> utf16leBytes(const std::wstring& text, bool withNull)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    auto put = [&bytes](std::uint32_t unit) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    };
    for (wchar_t ch : text) {
        auto code = static_cast<std::uint32_t>(ch);
        if (code > 0xFFFF) {
            code -= 0x10000;
            put(0xD800 + (code >> 10));
            put(0xDC00 + (code & 0x3FF));
        } else {
            put(code);
        }
    }
    if (withNull)
        put(0);
    return bytes;
}

std::wstring fromUtf16le(const std::uint8_t* bytes, std::size_t count)
{
    std::wstring text;
    text.reserve(count / 2);
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        std::uint32_t unit = bytes[i] | (bytes[i + 1] << 8);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < count) {
            std::uint32_t low = bytes[i + 2] | (bytes[i + 3] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                std::uint32_t code = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                if constexpr (sizeof(wchar_t) == 2) {
                    text.push_back(static_cast<wchar_t>(unit));
                    text.push_back(static_cast<wchar_t>(low));
                } else {
                    text.push_back(static_cast<wchar_t>(code));
                }
                i += 2;
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

RegValue RegValue::dword(std::uint32_t value)
{
    RegValue v;
    v.type = RegType::Dword;
    for (int i = 0; i < 4; ++i)
        v.data.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
    return v;
}

RegValue RegValue::qword(std::uint64_t value)
{
    RegValue v;
    v.type = RegType::Qword;
    for (int i = 0; i < 8; ++i)
        v.data.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
    return v;
}

RegValue RegValue::string(const std::wstring& text, RegType type)
{
    RegValue v;
    v.type = type;
    v.data = utf16leBytes(text, true);
    return v;
}

RegValue RegValue::multiString(const std::vector<std::wstring>& texts)
{
    RegValue v;
    v.type = RegType::MultiSz;
    for (const auto& text : texts) {
        auto bytes = utf16leBytes(text, true);
        v.data.insert(v.data.end(), bytes.begin(), bytes.end());
    }
    v.data.push_back(0);
    v.data.push_back(0);
    return v;
}

RegValue RegValue::binary(std::vector<std::uint8_t> bytes)
{
    RegValue v;
    v.type = RegType::Binary;
    v.data = std::move(bytes);
    return v;
}

std::optional<std::uint32_t> RegValue::asDword() const
{
    if (type != RegType::Dword || data.size() < 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(data[0] | (data[1] << 8) | (data[2] << 16)) |
           (static_cast<std::uint32_t>(data[3]) << 24);
}

std::wstring RegValue::asString() const
{
    if (type != RegType::Sz && type != RegType::ExpandSz)
        return {};
    std::wstring text = fromUtf16le(data.data(), data.size());
    auto end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return text;
}

std::vector<std::wstring> RegValue::asMultiString() const
{
    std::vector<std::wstring> texts;
    if (type != RegType::MultiSz)
        return texts;
    std::wstring all = fromUtf16le(data.data(), data.size());
    std::size_t start = 0;
    while (start < all.size()) {
        auto end = all.find(L'\0', start);
        if (end == std::wstring::npos)
            end = all.size();
        if (end == start)
            break;
        texts.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return texts;
}

} // namespace platform
