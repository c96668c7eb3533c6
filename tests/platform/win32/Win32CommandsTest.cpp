#include "platform/ContractTest.h"
#include "platform/Text.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/Win32ContractBackend.h"

using namespace platform;
using platform::win32::buildCommandLine;
using platform::win32::quoteArgument;

namespace {

struct QuotingCase {
    const wchar_t* argument;
    const wchar_t* quoted;
};

const QuotingCase quotingCases[] = {
    {L"plain", L"plain"},
    {L"", L"\"\""},
    {L"two words", L"\"two words\""},
    {L"tab\there", L"\"tab\there\""},
    {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
    {L"C:\\Program Files\\", L"\"C:\\Program Files\\\\\""},
    {L"a\\\\\"b c", L"\"a\\\\\\\\\\\"b c\""},
    {L"back\\slash", L"back\\slash"},
};

TEST(CommandLineQuoting, QuotesOnlyWhatNeedsIt)
{
    for (const auto& row : quotingCases)
        EXPECT_EQ(quoteArgument(row.argument), row.quoted) << toUtf8(row.argument);
}

TEST(CommandLineQuoting, ProgramWithBlanksIsQuotedWithoutEscapes)
{
    EXPECT_EQ(buildCommandLine(L"C:\\Program Files\\x.exe", {L"/a", L"b c"}),
              L"\"C:\\Program Files\\x.exe\" /a \"b c\"");
    EXPECT_EQ(buildCommandLine(L"wmic", {}), L"wmic");
}

class Win32Commands : public ContractTest {};

// The child parses its own command line: every argument must arrive exactly as it was given.
TEST_F(Win32Commands, ArgumentsArriveUnchanged)
{
    std::vector<std::wstring> arguments;
    std::string expected;
    for (const auto& row : quotingCases) {
        arguments.push_back(row.argument);
        expected += toUtf8(row.argument) + "\n";
    }
    arguments.push_back(L"中文 текст");
    expected += toUtf8(L"中文 текст") + "\n";
    arguments.insert(arguments.begin(), L"args");
    CommandResult result;
    ASSERT_EQ(machine().commands.run(Win32ContractBackend::probeTool(), arguments, 20000, result), ErrorSuccess);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, expected);
}

// More than the pipe holds: the tool would block on a full pipe if nobody read while waiting.
TEST_F(Win32Commands, OutputLargerThanThePipeIsCapturedWhole)
{
    const std::wstring path = backend().scratchFolder() + L"\\big.txt";
    std::string content;
    for (int line = 0; content.size() < 300 * 1024; ++line)
        content += "line " + std::to_string(line) + " of a long listing\r\n";
    backend().writeFile(path, content);
    CommandResult result;
    ASSERT_EQ(machine().commands.run(Win32ContractBackend::systemTool(L"cmd.exe"), {L"/c", L"type", path}, 30000, result), ErrorSuccess);
    EXPECT_EQ(result.output.size(), content.size());
    EXPECT_EQ(result.output, content);
}

// Wine's wmic writes UTF-16LE with a byte-order mark (real Windows writes 8-bit text to a pipe): the
// backend hands the bytes back untouched for the decoder above it.
TEST_F(Win32Commands, WmicBytesAreUtf16LeWithAByteOrderMark)
{
    CommandResult result;
    const std::vector<std::wstring> query{L"path", L"Win32_Processor", L"get", L"ProcessorId", L"/value"};
    ASSERT_EQ(machine().commands.run(Win32ContractBackend::systemTool(L"wbem\\wmic.exe"), query, 20000, result), ErrorSuccess);
    ASSERT_GE(result.output.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(result.output[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(result.output[1]), 0xFE);
    EXPECT_EQ(result.output.size() % 2, 0u);
    const std::wstring text = fromUtf16le(reinterpret_cast<const std::uint8_t*>(result.output.data()) + 2,
                                          result.output.size() - 2);
    EXPECT_NE(text.find(L"ProcessorId"), std::wstring::npos);
    EXPECT_NE(text.find(L"\r\n"), std::wstring::npos);
}

std::size_t probeCount(Processes& processes)
{
    std::vector<ProcessEntry> entries;
    EXPECT_EQ(processes.snapshot(entries), ErrorSuccess);
    std::size_t count = 0;
    for (const auto& entry : entries)
        count += equalsIgnoreCase(entry.exeName, L"tidewell_probe.exe") ? 1 : 0;
    return count;
}

TEST_F(Win32Commands, TimedOutToolIsTerminated)
{
    const std::size_t before = probeCount(machine().processes);
    auto tool = backend().slowTool();
    CommandResult result;
    ASSERT_EQ(machine().commands.run(tool.program, tool.arguments, 500, result), WaitTimeout);
    EXPECT_EQ(probeCount(machine().processes), before) << "the timed-out tool is still running";
}

TEST_F(Win32Commands, TimedOutToolIsEndedWithWhatItStarted)
{
    const std::size_t before = probeCount(machine().processes);
    CommandResult result;
    ASSERT_EQ(machine().commands.run(Win32ContractBackend::probeTool(), {L"spawn"}, 1500, result), WaitTimeout);
    // A process ends a moment after it is told to.
    for (int tries = 0; tries < 50 && probeCount(machine().processes) != before; ++tries)
        Sleep(100);
    EXPECT_EQ(probeCount(machine().processes), before) << "the tool's child outlived it";
}

TEST_F(Win32Commands, PathToAMissingProgramIsPathOrFileNotFound)
{
    CommandResult result;
    const Status status = machine().commands.run(L"C:\\no\\such\\folder\\tool.exe", {}, 5000, result);
    EXPECT_TRUE(status == ErrorPathNotFound || status == ErrorFileNotFound) << status;
}

} // namespace
