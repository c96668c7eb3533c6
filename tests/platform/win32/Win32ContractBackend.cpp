#include "platform/win32/Win32ContractBackend.h"

#include "platform/ContractTest.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const wchar_t scratchKeyPath[] = L"Software\\TidewellContract";
const wchar_t scratchFolderPath[] = L"C:\\TidewellScratch";

std::unique_ptr<Win32ContractBackend> current;

} // namespace

Win32ContractBackend::Win32ContractBackend()
    : platform_(platform::win32::createPlatform())
    , tasks_(ContractBackend::scratchTaskFolder())
{
    clearScratch();
    fs::create_directories(fs::path(scratchFolderPath));
}

Win32ContractBackend::~Win32ContractBackend()
{
    for (HWND window : windows_)
        DestroyWindow(window);
    clearScratch();
}

// Nothing inside the prefix is a host link (the test script makes sure), so removing the tree cannot
// reach outside it.
void Win32ContractBackend::clearScratch()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, scratchKeyPath);
    std::error_code ignored;
    fs::remove_all(fs::path(scratchFolderPath), ignored);
}

std::wstring Win32ContractBackend::scratchKey() const
{
    return scratchKeyPath;
}

std::wstring Win32ContractBackend::scratchFolder()
{
    return scratchFolderPath;
}

void Win32ContractBackend::writeFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// cmd's echo takes the rest of its line, so the words go as separate arguments that need no quotes.
ContractBackend::Tool Win32ContractBackend::printingTool(const std::string& text, int exitCode)
{
    Tool tool{L"cmd", {L"/c", L"echo"}};
    std::wstring word;
    for (char ch : text) {
        if (ch == ' ') {
            tool.arguments.push_back(word);
            word.clear();
            continue;
        }
        word.push_back(static_cast<wchar_t>(static_cast<unsigned char>(ch)));
    }
    tool.arguments.push_back(word + L"&");
    tool.arguments.insert(tool.arguments.end(), {L"exit", L"/b", std::to_wstring(exitCode)});
    return tool;
}

ContractBackend::Tool Win32ContractBackend::slowTool()
{
    return {probeTool(), {L"sleep"}};
}

std::wstring Win32ContractBackend::missingTool() const
{
    return L"no-such-tool-4711";
}

bool Win32ContractBackend::addTask(const std::wstring& name, bool enabled)
{
    return tasks_.add(name, enabled);
}

std::wstring Win32ContractBackend::probeTool()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return (fs::path(self).parent_path() / L"tidewell_probe.exe").wstring();
}

ContractBackend& backend()
{
    return *current;
}

void resetBackend()
{
    current = std::make_unique<Win32ContractBackend>();
}

void releaseBackend()
{
    current.reset();
}

void ContractTest::SetUp()
{
    resetBackend();
}

void ContractTest::TearDown()
{
    releaseBackend();
}
