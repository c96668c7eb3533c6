#pragma once

#include <string>
#include <vector>

// Text operations on Windows paths as the engine passes them to the platform: no machine access.
namespace WindowsPath {

// "C:\Temp\" -> "C:\Temp"; a drive root keeps its backslash ("C:\").
std::wstring withoutTrailingSeparator(const std::wstring& path);

// The lower-case parts of a path with "." and ".." applied and empty parts dropped:
// "C:\Users\\Bob\..\Ann\" -> {"c:", "users", "ann"}.
std::vector<std::wstring> normalizedParts(const std::wstring& path);

// True for a name a Windows folder can hold and that names that entry when joined to its folder. False for
// "", "." and "..", a name holding a separator, a drive or stream colon, a wildcard, another character
// Windows forbids or a control character, and a name ending in a dot or a blank (which Windows strips,
// so the joined path would name another file). A walk passes such a name over, never joining it.
bool isPlainName(const std::wstring& name);

// Name filters as QDir takes them ("*.dmp", "thumbcache_*.db"), matched without regard to case.
class NameFilter {
public:
    explicit NameFilter(const std::vector<std::wstring>& patterns);
    bool matches(const std::wstring& name) const;

private:
    std::vector<std::wstring> patterns_; // lower case
    bool matchAll_ = false;              // no pattern, or "*"
};

} // namespace WindowsPath
