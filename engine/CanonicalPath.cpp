#include "engine/CanonicalPath.h"

#include "engine/WindowsPath.h"

using namespace platform;

namespace {

bool isBlank(wchar_t ch)
{
    return ch == L' ' || ch < 0x20;
}

std::wstring trimmedOfBlanksAndQuotes(const std::wstring& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (isBlank(text[begin]) || text[begin] == L'"'))
        ++begin;
    while (end > begin && (isBlank(text[end - 1]) || text[end - 1] == L'"'))
        --end;
    return text.substr(begin, end - begin);
}

// Windows drops trailing blanks and dots of every name when it opens a path; "." and ".." keep their
// meaning, and a drive ("C:") is no name.
std::wstring withNamesStripped(const std::wstring& path)
{
    std::wstring result;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        std::wstring name = path.substr(start, end - start);
        if (name != L"." && name != L"..") {
            while (!name.empty() && (name.back() == L' ' || name.back() == L'.'))
                name.pop_back();
        }
        result += name;
        if (end < path.size())
            result += L'\\';
        start = end + 1;
    }
    return result;
}

} // namespace

CanonicalPath::CanonicalPath(Platform& machine)
    : machine_(machine)
{
}

CanonicalPath::Form CanonicalPath::of(const std::wstring& raw)
{
    Form form;
    const std::wstring trimmed = trimmedOfBlanksAndQuotes(raw);
    std::wstring expanded;
    if (trimmed.empty() || !succeeded(machine_.systemInfo.expandEnvironment(trimmed, expanded)) ||
        expanded.find(L'%') != std::wstring::npos || expanded.size() >= kMaxChars)
        return form;
    for (auto& ch : expanded) {
        if (ch == L'/')
            ch = L'\\';
    }
    const std::wstring stripped = withNamesStripped(expanded);
    form.tidied = trimmed != raw || stripped != expanded;
    form.written = WindowsPath::withoutTrailingSeparator(stripped);
    form.path = form.written;
    std::wstring longPath;
    form.exists = succeeded(machine_.files.longPathName(form.path, longPath));
    if (form.exists)
        form.path = WindowsPath::withoutTrailingSeparator(longPath);
    return form;
}
