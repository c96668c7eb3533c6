#include "platform/Text.h"
#include "platform/sim/ProfileMachine.h"

using namespace platform;

namespace {

nlohmann::json pc(bool wow64)
{
    return {
        {"system", {{"systemDirectory", "C:\\Windows\\system32"}, {"wow64", wow64}}},
        {"security", {{"signedFiles", {"C:\\Windows\\System32\\svchost.exe"}}}},
        {"files",
         {{{"path", "C:\\Windows\\System32\\FNTCACHE.DAT"}, {"size", 100}},
          {{"path", "C:\\Windows\\System32\\svchost.exe"}, {"size", 100}},
          {{"path", "C:\\Windows\\System32\\drivers\\etc\\hosts"}, {"size", 10}},
          {{"path", "C:\\Windows\\SysWOW64\\svchost32.dll"}, {"size", 100}}}},
    };
}

Status attributesOf(ProfileMachine& machine, const std::wstring& path)
{
    FileEntry entry;
    return machine.platform().files.attributes(path, entry);
}

Status start(ProfileMachine& machine, const std::wstring& program)
{
    CommandResult result;
    return machine.platform().commands.run(program, {L"/timeout", L"0"}, 5000, result);
}

} // namespace

// A 32-bit process on 64-bit Windows: System32 is SysWOW64 for it, Sysnative is the native folder.
TEST(SimWow64, ProcessKindComesFromTheProfile)
{
    for (bool wow64 : {false, true}) {
        ProfileMachine machine(pc(wow64));
        bool answer = !wow64;
        ASSERT_EQ(machine.platform().systemInfo.isWow64Process(answer), ErrorSuccess);
        EXPECT_EQ(answer, wow64);
    }
}

TEST(SimWow64, System32FilesAreRedirected)
{
    ProfileMachine machine(pc(true));
    EXPECT_EQ(attributesOf(machine, L"C:\\Windows\\System32\\FNTCACHE.DAT"), ErrorFileNotFound);
    EXPECT_EQ(attributesOf(machine, L"c:\\windows\\system32\\svchost32.dll"), ErrorSuccess);
    EXPECT_EQ(attributesOf(machine, L"C:\\Windows\\Sysnative\\FNTCACHE.DAT"), ErrorSuccess);
    EXPECT_EQ(attributesOf(machine, L"C:\\Windows\\System32\\drivers\\etc\\hosts"), ErrorSuccess);
    EXPECT_EQ(machine.platform().files.deleteFile(L"C:\\Windows\\Sysnative\\FNTCACHE.DAT"), ErrorSuccess);
    EXPECT_FALSE(std::filesystem::exists(machine.host(L"C:\\Windows\\System32\\FNTCACHE.DAT")));
    std::int32_t trust = -1;
    EXPECT_EQ(machine.platform().security.verifyFile(L"C:\\Windows\\System32\\svchost.exe", trust), ErrorFileNotFound);
    ASSERT_EQ(machine.platform().security.verifyFile(L"C:\\Windows\\Sysnative\\svchost.exe", trust), ErrorSuccess);
    EXPECT_EQ(trust, 0);
}

TEST(SimWow64, NativeProcessSeesSystem32AndNoSysnative)
{
    ProfileMachine machine(pc(false));
    EXPECT_EQ(attributesOf(machine, L"C:\\Windows\\System32\\FNTCACHE.DAT"), ErrorSuccess);
    EXPECT_NE(attributesOf(machine, L"C:\\Windows\\Sysnative\\FNTCACHE.DAT"), ErrorSuccess);
    EXPECT_EQ(start(machine, L"bcdedit"), ErrorBadPathname);
    EXPECT_EQ(start(machine, L"C:\\Windows\\system32\\bcdedit.exe"), ErrorSuccess);
    EXPECT_EQ(start(machine, L"C:\\Windows\\Sysnative\\bcdedit.exe"), ErrorFileNotFound);
}

TEST(SimWow64, BcdeditExistsOnlyInTheNativeFolder)
{
    ProfileMachine machine(pc(true));
    EXPECT_EQ(start(machine, L"bcdedit"), ErrorBadPathname);
    EXPECT_EQ(start(machine, L"C:\\Windows\\System32\\bcdedit.exe"), ErrorFileNotFound);
    EXPECT_EQ(start(machine, L"C:\\Windows\\Sysnative\\bcdedit.exe"), ErrorSuccess);
    EXPECT_EQ(start(machine, L"C:\\Windows\\System32\\powercfg.exe"), ErrorSuccess);
    EXPECT_EQ(machine.platform().commands.startDetached(L"C:\\Windows\\System32\\bcdedit.exe", {}), ErrorFileNotFound);
}

TEST(SimWow64, BootLoadersAreListedInBcdeditsLayout)
{
    nlohmann::json profile = pc(false);
    profile["boot"] = {{"loaderHeading", "Windows 启动加载器"},
                       {"entries",
                        {{"{current}", {{"description", "Windows 10"}}},
                         {"{bootmgr}", {{"description", "Windows Boot Manager"}}},
                         {"{a1}", {{"description", "Windows 7"}}},
                         {"{m1}", {{"description", "Memory Diagnostic"}, {"type", "memtest"}}}}}};
    ProfileMachine machine(profile);
    CommandResult result;
    ASSERT_EQ(machine.platform().commands.run(L"C:\\Windows\\System32\\bcdedit.exe", {L"/enum", L"osloader"}, 5000, result), ErrorSuccess);
    EXPECT_EQ(result.exitCode, 0u);
    const std::string heading = "Windows 启动加载器\r\n" + std::string(std::string("Windows 启动加载器").size(), '-');
    std::size_t blocks = 0;
    for (std::size_t at = result.output.find(heading); at != std::string::npos;
         at = result.output.find(heading, at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 2u) << result.output;
    EXPECT_NE(result.output.find("identifier              {a1}\r\n"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Memory Diagnostic"), std::string::npos);
}

TEST(SimWow64, DevicesOfAClassIgnoreCaseAndAbsentOnes)
{
    nlohmann::json profile = pc(false);
    profile["devices"] = {
        {{"class", "{53d29ef7-377c-4d14-864b-eb3a85769359}"}, {"instanceId", "USB\\FP\\1"}},
        {{"class", "{53D29EF7-377C-4D14-864B-EB3A85769359}"}, {"instanceId", "USB\\FP\\2"}, {"present", false}},
        {{"class", "{4d36e96f-e325-11ce-bfc1-08002be10318}"}, {"instanceId", "HID\\MOUSE"}}};
    ProfileMachine machine(profile);
    std::vector<std::wstring> ids;
    ASSERT_EQ(machine.platform().devices.presentDevicesOfClass(L"{53D29EF7-377C-4D14-864B-EB3A85769359}", ids),
              ErrorSuccess);
    EXPECT_EQ(ids, std::vector<std::wstring>{L"USB\\FP\\1"});
}

// Shortcuts store their raw target; the program they start is found as the 64-bit shell finds it.
TEST(SimWow64, ShortcutTargetsAreTheOnesThe64BitShellStarts)
{
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"%ProgramFiles%\\App\\app.exe", L"C:\\Program Files\\App\\app.exe"},
        {"C:\\Program Files (x86)\\App\\app.exe", L"C:\\Program Files\\App\\app.exe"},
        {"%ProgramFiles%\\Old\\old.exe", L"C:\\Program Files (x86)\\Old\\old.exe"},
        {"%windir%\\System32\\svchost.exe", L"C:\\Windows\\System32\\svchost.exe"},
    };
    for (const auto& [raw, expected] : cases) {
        nlohmann::json profile = pc(true);
        profile["files"].push_back({{"path", "C:\\Program Files\\App\\app.exe"}, {"size", 1}});
        profile["files"].push_back({{"path", "C:\\Program Files (x86)\\Old\\old.exe"}, {"size", 1}});
        profile["files"].push_back({{"path", "C:\\Links\\a.lnk"}, {"size", 1}});
        profile["shell"]["shortcuts"]["C:\\Links\\a.lnk"] = {{"target", raw}};
        ProfileMachine machine(profile);
        std::wstring target;
        std::wstring arguments;
        ASSERT_EQ(machine.platform().shell.shortcutTarget(L"C:\\Links\\a.lnk", target, arguments), ErrorSuccess);
        EXPECT_EQ(target, expected) << raw;
    }
}
