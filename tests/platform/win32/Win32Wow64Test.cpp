#include "platform/ContractTest.h"
#include "platform/Text.h"

using namespace platform;

namespace {

// The native system folder as the program reaches it: through Sysnative from a 32-bit process under
// WOW64 (System32 would be SysWOW64 for it), the system directory itself otherwise.
class Win32NativeSystemFolder : public ContractTest {
protected:
    void SetUp() override
    {
        ContractTest::SetUp();
        ASSERT_EQ(machine().systemInfo.systemDirectory(system32_), ErrorSuccess);
        ASSERT_EQ(machine().systemInfo.isWow64Process(wow64_), ErrorSuccess);
        native_ = wow64_ ? system32_.substr(0, system32_.find_last_of(L'\\')) + L"\\Sysnative" : system32_;
        probe_ = L"tidewell_native_probe.txt";
    }

    void TearDown() override
    {
        machine().files.deleteFile(native_ + L"\\" + probe_);
        ContractTest::TearDown();
    }

    std::wstring system32_;
    std::wstring native_;
    std::wstring probe_;
    bool wow64_ = false;
};

TEST_F(Win32NativeSystemFolder, Wow64MatchesThePointerSize)
{
    EXPECT_EQ(wow64_, sizeof(void*) == 4) << "this test program runs under WOW64 only as a 32-bit build";
}

// A file put into the native folder is reached there; from a 32-bit process the same name below System32
// is SysWOW64's and is not there. cmd started from the native folder is the native one: it finds the file
// below its own System32.
TEST_F(Win32NativeSystemFolder, ToolOfTheNativeFolderReachesItsFiles)
{
    backend().writeFile(native_ + L"\\" + probe_, "native\r\n");
    FileEntry entry;
    ASSERT_EQ(machine().files.attributes(native_ + L"\\" + probe_, entry), ErrorSuccess);
    EXPECT_EQ(machine().files.attributes(system32_ + L"\\" + probe_, entry) == ErrorSuccess, !wow64_);
    CommandResult result;
    const std::wstring nativeCmd = native_ + L"\\cmd.exe";
    ASSERT_EQ(machine().commands.run(nativeCmd, {L"/c", L"type", L"%SystemRoot%\\System32\\" + probe_}, 30000, result),
              ErrorSuccess);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, "native\r\n");
}

} // namespace
