#include "platform/win32/CommandLine.h"

namespace platform::win32 {

namespace {

bool needsQuotes(const std::wstring& argument)
{
    return argument.empty() || argument.find_first_of(L" \t\n\v\"") != std::wstring::npos;
}

} // namespace

std::wstring quoteArgument(const std::wstring& argument)
{
    if (!needsQuotes(argument))
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t ch : argument) {
        if (ch == L'\\') {
            ++backslashes;
            continue;
        }
        if (ch == L'"')
            backslashes = backslashes * 2 + 1;
        quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(ch);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring buildCommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    // The program name is parsed by different rules (no escapes): quotes around it are enough.
    std::wstring line = needsQuotes(program) ? L"\"" + program + L"\"" : program;
    for (const std::wstring& argument : arguments) {
        line.push_back(L' ');
        line += quoteArgument(argument);
    }
    return line;
}

} // namespace platform::win32
