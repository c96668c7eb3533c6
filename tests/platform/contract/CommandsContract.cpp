#include "platform/ContractTest.h"
#include "platform/Text.h"

using namespace platform;

namespace {

class CommandsContract : public ContractTest {};

TEST_F(CommandsContract, CapturesOutputAndExitCode)
{
    auto tool = backend().printingTool("hello", 0);
    CommandResult result;
    ASSERT_EQ(machine().commands.run(tool.program, tool.arguments, 10000, result), ErrorSuccess);
    EXPECT_NE(result.output.find("hello"), std::string::npos);
    EXPECT_EQ(result.exitCode, 0u);
}

TEST_F(CommandsContract, NonZeroExitCodeIsReportedNotFailed)
{
    auto tool = backend().printingTool("bad", 3);
    CommandResult result;
    ASSERT_EQ(machine().commands.run(tool.program, tool.arguments, 10000, result), ErrorSuccess);
    EXPECT_EQ(result.exitCode, 3u);
}

TEST_F(CommandsContract, MissingToolIsFileNotFound)
{
    CommandResult result;
    EXPECT_EQ(machine().commands.run(backend().missingTool(), {}, 5000, result), ErrorFileNotFound);
    EXPECT_EQ(machine().commands.startDetached(backend().missingTool(), {}), ErrorFileNotFound);
}

// A bare name would be looked for in the running program's folder first, on the stick anyone can write to.
TEST_F(CommandsContract, BareNameIsRefusedUnsearched)
{
    CommandResult result;
    EXPECT_EQ(machine().commands.run(L"wmic", {}, 5000, result), ErrorBadPathname);
    EXPECT_EQ(machine().commands.startDetached(L"cmd.exe", {}), ErrorBadPathname);
}

TEST_F(CommandsContract, ToolOutlivingItsTimeOutIsEnded)
{
    auto tool = backend().slowTool();
    CommandResult result;
    EXPECT_EQ(machine().commands.run(tool.program, tool.arguments, 1500, result), WaitTimeout);
}

TEST_F(CommandsContract, WmicAnswersAValueQuery)
{
    CommandResult result;
    // A bare class name is no wmic alias ("Alias not found"): classes are named after "path".
    const std::vector<std::wstring> query{L"path", L"Win32_Processor", L"get", L"ProcessorId", L"/value"};
    std::wstring system;
    ASSERT_EQ(machine().systemInfo.systemDirectory(system), ErrorSuccess);
    Status status = machine().commands.run(system + L"\\wbem\\wmic.exe", query, 20000, result);
    ASSERT_EQ(status, ErrorSuccess);
    // Real wmic writes 8-bit text, Wine's UTF-16LE: look for the name in either.
    std::string ascii;
    for (char ch : result.output) {
        if (ch != '\0')
            ascii.push_back(ch);
    }
    EXPECT_NE(ascii.find("ProcessorId"), std::string::npos);
}

TEST_F(CommandsContract, DetachedStartReturnsAtOnce)
{
    auto tool = backend().printingTool("x", 0);
    EXPECT_EQ(machine().commands.startDetached(tool.program, tool.arguments), ErrorSuccess);
}

class SystemDirectoryContract : public ContractTest {};

TEST_F(SystemDirectoryContract, IsADrivePathUnderWindows)
{
    std::wstring directory;
    ASSERT_EQ(machine().systemInfo.systemDirectory(directory), ErrorSuccess);
    ASSERT_GE(directory.size(), 3u);
    EXPECT_EQ(directory[1], L':');
    EXPECT_NE(platform::lower(directory).find(L"\\windows\\system32"), std::wstring::npos);
}

TEST_F(SystemDirectoryContract, TooSmallBufferIsInsufficient)
{
    std::wstring directory;
    EXPECT_EQ(machine().systemInfo.systemDirectory(directory, 5), ErrorInsufficientBuffer);
}

} // namespace
