#pragma once

#include <string>
#include <string_view>

// Small text helpers shared by the backends: UTF-8 for files and JSON, case folding for Windows names.
namespace platform {

std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

// Windows compares names without regard to case; this folds ASCII and the Latin-1/Unicode letters that
// towlower knows.
std::wstring lower(std::wstring_view text);
bool equalsIgnoreCase(std::wstring_view a, std::wstring_view b);

// "C:\..." or a UNC or "\\?\" path: a program named so is started from there and from nowhere else,
// where a bare name would be searched for first in the folder of the running program.
bool isAbsolutePath(std::wstring_view path);

} // namespace platform
