#include "platform/sim/SimLongPath.h"

#include "platform/Text.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace fs = std::filesystem;

namespace platform::sim {

namespace {

std::wstring upper(const std::wstring& text)
{
    std::wstring result;
    for (wchar_t ch : text) {
        if (ch != L' ')
            result += static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(ch)));
    }
    return result;
}

struct ShortName {
    std::wstring prefix;
    std::wstring extension;
    std::size_t ordinal = 0;
};

// "PROGRA~1" -> {"PROGRA", "", 1}; false for a name that has no "~digits" tail.
bool parseShortName(const std::wstring& part, ShortName& shortName)
{
    const auto tilde = part.find(L'~');
    if (tilde == std::wstring::npos || tilde == 0)
        return false;
    const auto dot = part.find(L'.', tilde);
    const std::wstring digits =
        part.substr(tilde + 1, dot == std::wstring::npos ? std::wstring::npos : dot - tilde - 1);
    const auto isDigit = [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; };
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return false;
    shortName.prefix = upper(part.substr(0, tilde));
    shortName.extension = dot == std::wstring::npos ? std::wstring() : upper(part.substr(dot + 1));
    shortName.ordinal = std::stoul(digits);
    return shortName.ordinal > 0;
}

bool fitsShortName(const std::wstring& name, const ShortName& shortName)
{
    const auto dot = name.rfind(L'.');
    std::wstring base = upper(name.substr(0, dot));
    base.erase(std::remove(base.begin(), base.end(), L'.'), base.end());
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : upper(name.substr(dot + 1));
    return base.compare(0, shortName.prefix.size(), shortName.prefix) == 0 &&
           extension.compare(0, shortName.extension.size(), shortName.extension) == 0;
}

// The name `part` stands for in `folder` and the stored name itself, or empty when nothing there answers to
// it. A long name keeps the spelling it was given, as with GetLongPathNameW; only a short one is replaced.
std::wstring longPart(const fs::path& folder, const std::wstring& part, std::wstring& stored)
{
    std::vector<std::wstring> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(fromUtf8(it->path().filename().string()));
    for (const auto& name : names) {
        if (equalsIgnoreCase(name, part)) {
            stored = name;
            return part;
        }
    }
    ShortName shortName;
    if (!parseShortName(part, shortName))
        return {};
    std::sort(names.begin(), names.end());
    std::size_t seen = 0;
    for (const auto& name : names) {
        if (fitsShortName(name, shortName) && ++seen == shortName.ordinal) {
            stored = name;
            return name;
        }
    }
    return {};
}

} // namespace

Status simLongPathName(const SimMachine& machine, const std::wstring& path, std::wstring& longPath)
{
    if (path.size() < 2 || path[1] != L':' || !std::iswalpha(static_cast<std::wint_t>(path[0])))
        return ErrorPathNotFound;
    const std::string drive(1, static_cast<char>(std::towupper(static_cast<std::wint_t>(path[0]))));
    fs::path host = machine.folder() / "drives" / drive;
    std::error_code ec;
    if (!fs::is_directory(host, ec))
        return ErrorPathNotFound;
    std::vector<std::wstring> parts;
    std::size_t start = 2;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of(L"\\/", start);
        if (end == std::wstring::npos)
            end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    std::wstring result = path.substr(0, 2);
    bool any = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].empty() || parts[i] == L".")
            continue;
        std::wstring stored;
        const std::wstring name = longPart(host, parts[i], stored);
        if (name.empty())
            return i + 1 == parts.size() ? ErrorFileNotFound : ErrorPathNotFound;
        host /= toUtf8(stored);
        result += L"\\" + name;
        any = true;
    }
    if (!any || path.back() == L'\\' || path.back() == L'/')
        result += L"\\";
    longPath = result;
    return ErrorSuccess;
}

} // namespace platform::sim
