#include "platform/ContractTest.h"
#include "platform/Text.h"
#include "platform/win32/Win32ContractBackend.h"

#include <cstdlib>
#include <string>

using namespace platform;

namespace {

// Runs in both Wine passes: the test script sets TIDEWELL_EXPECT_WINDOWS to "10" (build 19045) or "7".
class WindowsVersion : public ContractTest {
protected:
    void SetUp() override
    {
        const char* expected = std::getenv("TIDEWELL_EXPECT_WINDOWS");
        if (!expected || !*expected)
            GTEST_SKIP() << "TIDEWELL_EXPECT_WINDOWS is not set";
        windows7_ = std::string(expected) == "7";
        ContractTest::SetUp();
    }

    std::unique_ptr<RegistryKey> currentVersionKey()
    {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(machine().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                             RegAccess::Read, RegView::Native64, key),
                  ErrorSuccess);
        return key;
    }

    bool windows7_ = false;
};

TEST_F(WindowsVersion, RtlGetVersionReportsTheConfiguredSystem)
{
    OsVersion version;
    ASSERT_EQ(machine().systemInfo.version(version), ErrorSuccess);
    if (windows7_) {
        EXPECT_EQ(version.major, 6u);
        EXPECT_EQ(version.minor, 1u);
        EXPECT_EQ(version.build, 7601u);
    } else {
        EXPECT_EQ(version.major, 10u);
        EXPECT_EQ(version.minor, 0u);
        EXPECT_EQ(version.build, 19045u);
    }
    EXPECT_EQ(version.productType, 1u) << "a workstation, not a server";
}

TEST_F(WindowsVersion, RegistryCarriesTheBuildNumberTheLogHeaderReads)
{
    auto key = currentVersionKey();
    ASSERT_NE(key, nullptr);
    RegValue build;
    ASSERT_EQ(key->queryValue(L"CurrentBuildNumber", build, 256), ErrorSuccess);
    EXPECT_EQ(build.asString(), windows7_ ? L"7601" : L"19045");
}

TEST_F(WindowsVersion, MajorAndMinorNumbersExistOnlyFromWindows10On)
{
    auto key = currentVersionKey();
    ASSERT_NE(key, nullptr);
    RegValue major;
    RegValue minor;
    if (windows7_) {
        RegValue text;
        ASSERT_EQ(key->queryValue(L"CurrentVersion", text, 256), ErrorSuccess);
        EXPECT_EQ(text.asString(), L"6.1");
        EXPECT_EQ(key->queryValue(L"CurrentMajorVersionNumber", major, 4), ErrorFileNotFound);
        return;
    }
    ASSERT_EQ(key->queryValue(L"CurrentMajorVersionNumber", major, 4), ErrorSuccess);
    ASSERT_EQ(key->queryValue(L"CurrentMinorVersionNumber", minor, 4), ErrorSuccess);
    EXPECT_EQ(major.asDword().value_or(0), 10u);
    EXPECT_EQ(minor.asDword().value_or(99), 0u);
}

// The device identifier is made from two wmic answers and the system drive; all three must be there on
// either system.
TEST_F(WindowsVersion, DeviceIdentityInputsAreAvailable)
{
    const wchar_t* queries[][2] = {{L"Win32_Processor", L"ProcessorId"}, {L"Win32_BaseBoard", L"SerialNumber"}};
    for (const auto& query : queries) {
        CommandResult result;
        ASSERT_EQ(machine().commands.run(Win32ContractBackend::systemTool(L"wbem\\wmic.exe"),
                                           {L"path", query[0], L"get", query[1], L"/value"}, 20000, result),
                  ErrorSuccess);
        EXPECT_EQ(result.exitCode, 0u);
        const std::wstring text = fromUtf16le(reinterpret_cast<const std::uint8_t*>(result.output.data()),
                                              result.output.size());
        EXPECT_NE(text.find(query[1]), std::wstring::npos) << toUtf8(query[1]);
    }
    std::wstring directory;
    ASSERT_EQ(machine().systemInfo.systemDirectory(directory), ErrorSuccess);
    EXPECT_EQ(platform::lower(directory.substr(0, 3)), L"c:\\");
}

} // namespace
