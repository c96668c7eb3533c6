#include "platform/DllSearch.h"
#include "platform/win32/SystemLibrary.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;
using namespace platform::win32;

namespace {

std::wstring folderOf(HMODULE module)
{
    wchar_t path[MAX_PATH];
    const std::wstring file(path, GetModuleFileNameW(module, path, MAX_PATH));
    return file.substr(0, file.find_last_of(L'\\'));
}

// A 32-bit process on 64-bit Windows names the DLLs it got from the system folder by SysWOW64.
bool isSystemFolder(const std::wstring& folder)
{
    wchar_t system[MAX_PATH], wow64[MAX_PATH];
    return (GetSystemDirectoryW(system, MAX_PATH) && lstrcmpiW(folder.c_str(), system) == 0) ||
           (GetSystemWow64DirectoryW(wow64, MAX_PATH) && lstrcmpiW(folder.c_str(), wow64) == 0);
}

// A file named like the restore-point DLL beside the test program, as anyone could put one beside the
// stick's program. It is no DLL, so loading it would fail: a load that succeeds came from elsewhere.
class PlantedRestorePointDll : public ::testing::Test {
protected:
    const std::wstring planted = folderOf(nullptr) + L"\\srclient.dll";

    void SetUp() override
    {
        const HANDLE file = CreateFileW(planted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
        DWORD written = 0;
        WriteFile(file, "not a library", 13, &written, nullptr);
        CloseHandle(file);
    }
    void TearDown() override { DeleteFileW(planted.c_str()); }

    static void expectFromSystemFolder(HMODULE module)
    {
        ASSERT_NE(module, nullptr) << GetLastError();
        EXPECT_TRUE(isSystemFolder(folderOf(module)));
        FreeLibrary(module);
    }
};

} // namespace

TEST_F(PlantedRestorePointDll, BareNameWouldTakeThePlantedFile)
{
    const HMODULE module = LoadLibraryW(L"srclient.dll");
    EXPECT_EQ(module, nullptr);
    if (module)
        FreeLibrary(module);
}

TEST_F(PlantedRestorePointDll, SystemLibraryIsLoadedFromTheSystemFolder)
{
    expectFromSystemFolder(loadSystemLibrary(L"srclient.dll"));
}

TEST_F(PlantedRestorePointDll, FullPathFallbackIsLoadedFromTheSystemFolder)
{
    expectFromSystemFolder(loadFromSystemFolder(L"srclient.dll"));
}

TEST(DllSearch, LoaderWithDefaultFoldersKeepsOnlyTheSafeOnes)
{
    EXPECT_EQ(restrictDllSearch(), DllSearch::SafeDefaultFolders);
}
