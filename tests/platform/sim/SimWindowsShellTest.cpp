#include "platform/ContractTest.h"
#include "platform/Text.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimWindows.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::sim;

namespace {

// What only the simulated PC's windows and shell show: defaults of the profile format and its failure switch.
class SimWindowsShellTest : public ContractTest {
protected:
    SimMachine& sim() { return dynamic_cast<SimWindows&>(machine().windows).machine(); }
};

TEST_F(SimWindowsShellTest, WindowDefaultsToVisibleWithAHandleFromItsPosition)
{
    sim().document()["windows"] = {{{"pid", 10}, {"title", "a"}}, {{"pid", 11}, {"title", "b"}, {"handle", 99}}};
    std::vector<WindowInfo> windows;
    ASSERT_EQ(machine().windows.enumerate(windows), ErrorSuccess);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_TRUE(windows[0].visible);
    EXPECT_NE(windows[0].handle, 0u);
    EXPECT_EQ(windows[1].handle, 99u);
    EXPECT_EQ(windows[0].pid, 10u);
}

TEST_F(SimWindowsShellTest, EntriesThatAreNotObjectsAreIgnored)
{
    sim().document()["windows"] = {1, "x", {{"pid", 12}, {"title", "c"}}};
    std::vector<WindowInfo> windows;
    ASSERT_EQ(machine().windows.enumerate(windows), ErrorSuccess);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].title, L"c");
}

TEST_F(SimWindowsShellTest, EnumerationCanBeMadeToFail)
{
    sim().document()["windowsEnumerationFails"] = true;
    std::vector<WindowInfo> windows;
    EXPECT_NE(machine().windows.enumerate(windows), ErrorSuccess);
}

TEST_F(SimWindowsShellTest, ShortcutPathsMatchWithoutRegardToCase)
{
    backend().writeFile(L"C:\\Scratch\\App.lnk", "L");
    sim().document()["shell"]["shortcuts"]["c:\\scratch\\app.LNK"] = {{"target", "C:\\App\\app.exe"}};
    std::wstring target;
    std::wstring arguments = L"stale";
    ASSERT_EQ(machine().shell.shortcutTarget(L"C:\\Scratch\\App.lnk", target, arguments), ErrorSuccess);
    EXPECT_EQ(target, L"C:\\App\\app.exe");
    EXPECT_EQ(arguments, L"");
}

TEST_F(SimWindowsShellTest, ListedShortcutWhoseFileIsGoneIsNotFound)
{
    sim().document()["shell"]["shortcuts"]["C:\\Scratch\\gone.lnk"] = {{"target", "C:\\x.exe"}};
    std::wstring target;
    std::wstring arguments;
    EXPECT_EQ(machine().shell.shortcutTarget(L"C:\\Scratch\\gone.lnk", target, arguments), ErrorFileNotFound);
}

TEST_F(SimWindowsShellTest, DescriptionOfTheWrongTypeIsInvalid)
{
    backend().writeFile(L"C:\\Scratch\\odd.exe", "MZ");
    sim().document()["shell"]["fileDescriptions"]["C:\\Scratch\\odd.exe"] = 5;
    std::wstring description;
    EXPECT_EQ(machine().shell.fileDescription(L"C:\\Scratch\\odd.exe", description), ErrorInvalidData);
}

} // namespace
