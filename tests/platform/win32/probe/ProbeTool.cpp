// A tiny console tool the Wine tests start as a child process:
//   tidewell_probe sleep        stays alive far longer than any test waits
//   tidewell_probe spawn        starts "tidewell_probe sleep" and then sleeps as well
//   tidewell_probe args A B...  prints each argument it received on its own line, as UTF-8
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

void writeOut(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string utf8(const wchar_t* text)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

} // namespace

int main()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 2)
        return 2;
    std::wstring mode = arguments[1];
    if (mode == L"spawn") {
        std::wstring line = L"\"" + std::wstring(arguments[0]) + L"\" sleep";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION child{};
        if (!CreateProcessW(arguments[0], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
            return 3;
        mode = L"sleep";
    }
    if (mode == L"sleep") {
        Sleep(120000);
        return 0;
    }
    if (mode != L"args")
        return 2;
    for (int i = 2; i < count; ++i)
        writeOut(utf8(arguments[i]) + "\n");
    LocalFree(arguments);
    return 0;
}
