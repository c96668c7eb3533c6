#include "platform/Text.h"

#include <cwctype>

namespace platform {

std::string toUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto code = static_cast<std::uint32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
                auto low = static_cast<std::uint32_t>(text[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

std::wstring fromUtf8(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::uint32_t code = 0xFFFD;
        std::size_t length = 1;
        if (byte < 0x80) {
            code = byte;
        } else if ((byte >> 5) == 0x6) {
            length = 2;
            code = byte & 0x1F;
        } else if ((byte >> 4) == 0xE) {
            length = 3;
            code = byte & 0x0F;
        } else if ((byte >> 3) == 0x1E) {
            length = 4;
            code = byte & 0x07;
        }
        if (length > 1) {
            bool valid = i + length <= text.size();
            for (std::size_t k = 1; valid && k < length; ++k) {
                auto next = static_cast<unsigned char>(text[i + k]);
                valid = (next >> 6) == 0x2;
                code = (code << 6) | (next & 0x3F);
            }
            if (!valid) {
                code = 0xFFFD;
                length = 1;
            }
        }
        i += length;
        if (sizeof(wchar_t) == 2 && code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(code));
        }
    }
    return out;
}

std::wstring lower(std::wstring_view text)
{
    std::wstring out(text);
    for (auto& ch : out)
        ch = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(ch)));
    return out;
}

bool equalsIgnoreCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(static_cast<std::wint_t>(a[i])) != std::towlower(static_cast<std::wint_t>(b[i])))
            return false;
    }
    return true;
}

bool isAbsolutePath(std::wstring_view path)
{
    const auto separator = [](wchar_t ch) { return ch == L'\\' || ch == L'/'; };
    if (path.size() >= 2 && separator(path[0]) && separator(path[1]))
        return true;
    const bool letter = path.size() >= 3 && std::iswalpha(path[0]) && path[1] == L':';
    return letter && separator(path[2]);
}

} // namespace platform
