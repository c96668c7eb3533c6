#include "engine/WindowsPath.h"

#include "platform/Text.h"

#include <string_view>

namespace WindowsPath {

namespace {

bool isSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// Glob match of `name` (lower case) against `pattern` (lower case) with * and ?.
bool globMatches(const std::wstring& pattern, const std::wstring& name)
{
    std::size_t p = 0, n = 0, star = std::wstring::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool isPlainName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L".." || name.back() == L'.' || name.back() == L' ')
        return false;
    for (wchar_t ch : name) {
        if (ch < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(ch) != std::wstring_view::npos)
            return false;
    }
    return true;
}

std::wstring withoutTrailingSeparator(const std::wstring& path)
{
    std::wstring result = path;
    while (!result.empty() && isSeparator(result.back()))
        result.pop_back();
    if (result.size() == 2 && result[1] == L':')
        result += L'\\';
    return result;
}

std::vector<std::wstring> normalizedParts(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstring part;
    auto finish = [&]() {
        if (part == L"..") {
            if (parts.size() > 1)
                parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(platform::lower(part));
        }
        part.clear();
    };
    for (wchar_t ch : path) {
        if (isSeparator(ch))
            finish();
        else
            part += ch;
    }
    finish();
    return parts;
}

NameFilter::NameFilter(const std::vector<std::wstring>& patterns)
{
    for (const auto& pattern : patterns) {
        matchAll_ = matchAll_ || pattern == L"*";
        patterns_.push_back(platform::lower(pattern));
    }
    matchAll_ = matchAll_ || patterns_.empty();
}

bool NameFilter::matches(const std::wstring& name) const
{
    if (matchAll_)
        return true;
    const std::wstring folded = platform::lower(name);
    for (const auto& pattern : patterns_) {
        if (globMatches(pattern, folded))
            return true;
    }
    return false;
}

} // namespace WindowsPath
