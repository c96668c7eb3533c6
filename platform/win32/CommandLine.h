#pragma once

#include <string>
#include <vector>

namespace platform::win32 {

// One argument quoted so that CommandLineToArgvW and the C runtime's argv parser hand it back unchanged:
// arguments without blanks or quotes stay as they are; others are put in quotes, with the backslashes
// before a quote (and at the end) doubled and the quote escaped.
std::wstring quoteArgument(const std::wstring& argument);

// The command line CreateProcessW gets: the program, then each argument, separated by one blank.
std::wstring buildCommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

} // namespace platform::win32
