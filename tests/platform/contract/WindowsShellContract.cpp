#include "platform/ContractTest.h"
#include "platform/Text.h"
#include "platform/WindowShellHooks.h"

#include <algorithm>

using namespace platform;

namespace {

WindowShellHooks* registeredHooks = nullptr;

const WindowInfo* findByTitle(const std::vector<WindowInfo>& windows, const std::wstring& title)
{
    auto it = std::find_if(windows.begin(), windows.end(), [&](const WindowInfo& w) { return w.title == title; });
    return it == windows.end() ? nullptr : &*it;
}

class WindowsContract : public ContractTest {
protected:
    WindowShellHooks& hooks() { return *windowShellHooks(); }
    void SetUp() override
    {
        ContractTest::SetUp();
        if (!windowShellHooks())
            GTEST_SKIP() << "this backend cannot arrange windows and shortcuts";
    }
};

TEST_F(WindowsContract, VisibleWindowIsListedWithClassTitleAndProcess)
{
    std::uint32_t pid = 0;
    ASSERT_TRUE(hooks().addWindow(L"TidewellContractWnd", L"Tidewell 合约窗口", true, false, pid));
    std::vector<WindowInfo> windows;
    ASSERT_EQ(machine().windows.enumerate(windows), ErrorSuccess);
    const WindowInfo* window = findByTitle(windows, L"Tidewell 合约窗口");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->className, L"TidewellContractWnd");
    EXPECT_EQ(window->pid, pid);
    EXPECT_NE(window->pid, 0u);
    EXPECT_NE(window->handle, 0u);
    EXPECT_EQ(window->exStyle & 0x80u, 0u);
}

TEST_F(WindowsContract, EnumerationSucceeds)
{
    std::vector<WindowInfo> windows;
    EXPECT_EQ(machine().windows.enumerate(windows), ErrorSuccess);
}

TEST_F(WindowsContract, HiddenWindowIsListedAsInvisible)
{
    std::uint32_t pid = 0;
    ASSERT_TRUE(hooks().addWindow(L"TidewellContractWnd", L"Tidewell hidden", false, false, pid));
    std::vector<WindowInfo> windows;
    ASSERT_EQ(machine().windows.enumerate(windows), ErrorSuccess);
    const WindowInfo* window = findByTitle(windows, L"Tidewell hidden");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->visible);
}

TEST_F(WindowsContract, ToolWindowCarriesTheToolWindowStyle)
{
    std::uint32_t pid = 0;
    ASSERT_TRUE(hooks().addWindow(L"TidewellContractWnd", L"Tidewell tool", true, true, pid));
    std::vector<WindowInfo> windows;
    ASSERT_EQ(machine().windows.enumerate(windows), ErrorSuccess);
    const WindowInfo* window = findByTitle(windows, L"Tidewell tool");
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->exStyle & 0x80u, 0u);
}

TEST_F(WindowsContract, HandlesAreDistinct)
{
    std::uint32_t pid = 0;
    ASSERT_TRUE(hooks().addWindow(L"TidewellContractWnd", L"Tidewell one", true, false, pid));
    ASSERT_TRUE(hooks().addWindow(L"TidewellContractWnd", L"Tidewell two", true, false, pid));
    std::vector<WindowInfo> windows;
    ASSERT_EQ(machine().windows.enumerate(windows), ErrorSuccess);
    const WindowInfo* one = findByTitle(windows, L"Tidewell one");
    const WindowInfo* two = findByTitle(windows, L"Tidewell two");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_NE(one->handle, two->handle);
}

class ShellContract : public WindowsContract {};

TEST_F(ShellContract, ShortcutGivesItsTargetAndArguments)
{
    const std::wstring link = backend().scratchFolder() + L"\\Tidewell.lnk";
    const std::wstring target = L"C:\\Windows\\notepad.exe";
    ASSERT_TRUE(hooks().addShortcut(link, target, L"/a readme.txt"));
    std::wstring foundTarget;
    std::wstring arguments;
    ASSERT_EQ(machine().shell.shortcutTarget(link, foundTarget, arguments), ErrorSuccess);
    EXPECT_TRUE(equalsIgnoreCase(foundTarget, target));
    EXPECT_EQ(arguments, L"/a readme.txt");
}

// Without the raw path a 32-bit process is handed the 32-bit folder for a program in the 64-bit one. (Wine
// stores a target written with "%ProgramFiles%" below the current folder, so the row names the folder.)
TEST_F(ShellContract, ProgramFilesShortcutReachesThe64BitFolder)
{
    std::wstring nativeFolder;
    ASSERT_EQ(machine().systemInfo.expandEnvironment(L"%ProgramW6432%", nativeFolder), ErrorSuccess);
    const std::wstring program = nativeFolder + L"\\TidewellContract\\app64.exe";
    backend().writeFile(program, "MZ");
    const std::wstring link = backend().scratchFolder() + L"\\App64.lnk";
    const bool added = hooks().addShortcut(link, program, L"");
    std::wstring target;
    std::wstring arguments;
    const Status status = machine().shell.shortcutTarget(link, target, arguments);
    machine().files.deleteFile(program);
    machine().files.removeDirectory(nativeFolder + L"\\TidewellContract");
    ASSERT_TRUE(added);
    ASSERT_EQ(status, ErrorSuccess);
    EXPECT_TRUE(equalsIgnoreCase(target, program)) << toUtf8(target);
}

TEST_F(ShellContract, FileDescriptionIsRead)
{
    std::wstring path;
    std::wstring expected;
    ASSERT_TRUE(hooks().describedFile(path, expected));
    std::wstring description;
    ASSERT_EQ(machine().shell.fileDescription(path, description), ErrorSuccess);
    EXPECT_EQ(description, expected);
}

class ShellFailureContract : public ContractTest {};

TEST_F(ShellFailureContract, MissingShortcutFails)
{
    std::wstring target;
    std::wstring arguments;
    EXPECT_NE(machine().shell.shortcutTarget(backend().scratchFolder() + L"\\missing.lnk", target, arguments),
              ErrorSuccess);
}

TEST_F(ShellFailureContract, PlainFileIsNoShortcut)
{
    const std::wstring path = backend().scratchFolder() + L"\\plain.lnk";
    backend().writeFile(path, "not a shell link");
    std::wstring target;
    std::wstring arguments;
    EXPECT_NE(machine().shell.shortcutTarget(path, target, arguments), ErrorSuccess);
}

TEST_F(ShellFailureContract, FileWithoutVersionResourceHasNoDescription)
{
    const std::wstring path = backend().scratchFolder() + L"\\plain.txt";
    backend().writeFile(path, "no version resource here");
    std::wstring description;
    EXPECT_NE(machine().shell.fileDescription(path, description), ErrorSuccess);
}

TEST_F(ShellFailureContract, MissingFileHasNoDescription)
{
    std::wstring description;
    EXPECT_NE(machine().shell.fileDescription(backend().scratchFolder() + L"\\missing.exe", description),
              ErrorSuccess);
}

} // namespace

WindowShellHooks* windowShellHooks()
{
    return registeredHooks;
}

bool setWindowShellHooks(WindowShellHooks* hooks)
{
    registeredHooks = hooks;
    return true;
}
