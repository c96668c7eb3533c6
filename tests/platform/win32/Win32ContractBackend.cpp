#include "platform/win32/Win32ContractBackend.h"

#include "platform/ContractTest.h"

#include <windows.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const wchar_t scratchKeyPath[] = L"Software\\TidewellContract";
const wchar_t scratchFolderPath[] = L"C:\\TidewellScratch";

std::unique_ptr<Win32ContractBackend> current;

// The scratch folder may hold paths longer than MAX_PATH, which std::filesystem does not reach here:
// these helpers use the "\\?\" form of the absolute paths they are given.
std::wstring longForm(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

void removeTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE find = FindFirstFileW(longForm(folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(longForm(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(longForm(path).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(longForm(folder).c_str());
}

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
    removeTree(scratchFolderPath);
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
    for (auto slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
        CreateDirectoryW(longForm(path.substr(0, slash)).c_str(), nullptr);
    const HANDLE file = CreateFileW(longForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// cmd's echo takes the rest of its line, so the words go as separate arguments that need no quotes.
ContractBackend::Tool Win32ContractBackend::printingTool(const std::string& text, int exitCode)
{
    Tool tool{systemTool(L"cmd.exe"), {L"/c", L"echo"}};
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
    return L"C:\\no-such-tool-4711.exe";
}

bool Win32ContractBackend::addTask(const std::wstring& name, bool enabled)
{
    return tasks_.add(name, enabled);
}

std::wstring Win32ContractBackend::systemTool(const std::wstring& file)
{
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + file;
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
