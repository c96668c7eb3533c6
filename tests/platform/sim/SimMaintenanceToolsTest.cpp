#include "platform/Text.h"
#include "platform/sim/ProfileMachine.h"

#include <fstream>
#include <sstream>

using namespace platform;

namespace {

constexpr std::uint64_t kFullSize = 6871947264ull;
const char* const kHighPerformance = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";

nlohmann::json toolsProfile()
{
    return {
        {"system", {{"systemDirectory", "C:\\Windows\\system32"}}},
        {"boot", {{"timeout", 30}, {"entries", {{"{current}", {{"description", "Windows 10"}}}}}}},
        {"hibernation", {{"enabled", true}, {"type", "full"}, {"fullSize", kFullSize}}},
        {"disks", {{"C:", {{"seekPenalty", false}}}, {"D:", {{"seekPenalty", true}}}}},
        {"files",
         {{{"path", "C:\\hiberfil.sys"}, {"size", kFullSize}},
          {{"path", "C:\\Windows\\System32"}, {"folder", true}},
          {{"path", "D:\\Games"}, {"folder", true}}}},
    };
}

struct Run {
    Status status;
    CommandResult result;
};

Run run(ProfileMachine& pc, const wchar_t* tool, std::vector<std::wstring> arguments)
{
    Run outcome;
    outcome.status = pc.platform().commands.run(L"C:\\Windows\\System32\\" + std::wstring(tool), arguments, 10000,
                                                outcome.result);
    return outcome;
}

bool fileExists(ProfileMachine& pc, const std::wstring& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(pc.host(path), ec);
}

std::uint64_t fileSize(ProfileMachine& pc, const std::wstring& path)
{
    std::error_code ec;
    return std::filesystem::file_size(pc.host(path), ec);
}

TEST(SimBcdedit, ExportWritesTheBackupFile)
{
    ProfileMachine pc(toolsProfile());
    auto outcome = run(pc, L"bcdedit", {L"/export", L"C:\\Windows\\bcd_backup_20261208_161500.bcd"});
    ASSERT_EQ(outcome.status, ErrorSuccess);
    EXPECT_EQ(outcome.result.exitCode, 0u);
    EXPECT_EQ(outcome.result.output, "The operation completed successfully.\r\n");
    ASSERT_TRUE(fileExists(pc, L"C:\\Windows\\bcd_backup_20261208_161500.bcd"));
    std::ifstream in(pc.host(L"C:\\Windows\\bcd_backup_20261208_161500.bcd"));
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("\"timeout\": 30"), std::string::npos);
}

TEST(SimBcdedit, ExportIntoAMissingFolderFails)
{
    ProfileMachine pc(toolsProfile());
    auto outcome = run(pc, L"bcdedit.exe", {L"/export", L"C:\\NoSuchFolder\\backup.bcd"});
    ASSERT_EQ(outcome.status, ErrorSuccess);
    EXPECT_EQ(outcome.result.exitCode, 1u);
    EXPECT_FALSE(fileExists(pc, L"C:\\NoSuchFolder\\backup.bcd"));
}

TEST(SimBcdedit, QuietBootAndTimeOutAreSavedWithTheMachine)
{
    ProfileMachine pc(toolsProfile());
    EXPECT_EQ(run(pc, L"bcdedit", {L"/set", L"{current}", L"quietboot", L"on"}).result.exitCode, 0u);
    EXPECT_EQ(run(pc, L"bcdedit", {L"/timeout", L"5"}).result.exitCode, 0u);
    EXPECT_TRUE(pc.journalHas("boot {current} quietboot = on"));
    EXPECT_TRUE(pc.journalHas("boot timeout = 5"));
    pc.reopen();
    const auto& boot = pc.machine().document()["boot"];
    EXPECT_EQ(boot["timeout"], 5);
    EXPECT_EQ(boot["entries"]["{current}"]["quietboot"], true);
    EXPECT_EQ(boot["entries"]["{current}"]["description"], "Windows 10");
}

TEST(SimBcdedit, MalformedCommandsFail)
{
    ProfileMachine pc(toolsProfile());
    EXPECT_EQ(run(pc, L"bcdedit", {L"/timeout", L"five"}).result.exitCode, 1u);
    EXPECT_EQ(run(pc, L"bcdedit", {L"/set", L"{ntldr}", L"quietboot", L"on"}).result.exitCode, 1u);
    EXPECT_EQ(run(pc, L"bcdedit", {L"/frobnicate"}).result.exitCode, 1u);
    EXPECT_EQ(pc.machine().document()["boot"]["timeout"], 30);
}

TEST(SimPowercfg, SetActiveChoosesAKnownScheme)
{
    ProfileMachine pc(toolsProfile());
    auto outcome = run(pc, L"powercfg", {L"/setactive", fromUtf8(kHighPerformance)});
    EXPECT_EQ(outcome.result.exitCode, 0u);
    EXPECT_TRUE(outcome.result.output.empty());
    EXPECT_EQ(pc.machine().document()["powerSchemes"]["active"], kHighPerformance);
}

TEST(SimPowercfg, MachineWithoutTheHighPerformanceSchemeRefusesIt)
{
    nlohmann::json profile = toolsProfile();
    profile["powerSchemes"] = {{"active", "381b4222-f694-41f0-9685-ff5bb260df2e"},
                               {"schemes", {{"381b4222-f694-41f0-9685-ff5bb260df2e", "Balanced"}}}};
    ProfileMachine pc(profile);
    EXPECT_EQ(run(pc, L"powercfg", {L"/setactive", fromUtf8(kHighPerformance)}).result.exitCode, 1u);
    EXPECT_EQ(pc.machine().document()["powerSchemes"]["active"], "381b4222-f694-41f0-9685-ff5bb260df2e");
}

TEST(SimPowercfg, HibernateOffRemovesTheFileAndOnBringsItBack)
{
    ProfileMachine pc(toolsProfile());
    ASSERT_TRUE(fileExists(pc, L"C:\\hiberfil.sys"));
    EXPECT_EQ(run(pc, L"powercfg", {L"/hibernate", L"off"}).result.exitCode, 0u);
    EXPECT_FALSE(fileExists(pc, L"C:\\hiberfil.sys"));
    EXPECT_TRUE(pc.journalHas("hibernation off, C:\\hiberfil.sys removed"));
    EXPECT_EQ(run(pc, L"powercfg", {L"/hibernate", L"on"}).result.exitCode, 0u);
    EXPECT_EQ(fileSize(pc, L"C:\\hiberfil.sys"), kFullSize);
    pc.reopen();
    EXPECT_EQ(pc.machine().document()["hibernation"]["enabled"], true);
}

TEST(SimPowercfg, ReducedTypeHalvesTheFileAndFullRestoresIt)
{
    ProfileMachine pc(toolsProfile());
    EXPECT_EQ(run(pc, L"powercfg", {L"/h", L"/type", L"reduced"}).result.exitCode, 0u);
    EXPECT_EQ(fileSize(pc, L"C:\\hiberfil.sys"), kFullSize / 2);
    EXPECT_EQ(run(pc, L"powercfg", {L"/h", L"/type", L"full"}).result.exitCode, 0u);
    EXPECT_EQ(fileSize(pc, L"C:\\hiberfil.sys"), kFullSize);
}

TEST(SimPowercfg, FileTypeCannotBeSetWhileHibernationIsOff)
{
    ProfileMachine pc(toolsProfile());
    run(pc, L"powercfg", {L"/hibernate", L"off"});
    EXPECT_EQ(run(pc, L"powercfg", {L"/h", L"/type", L"full"}).result.exitCode, 1u);
    EXPECT_FALSE(fileExists(pc, L"C:\\hiberfil.sys"));
}

TEST(SimPowercfg, WithoutAHibernationSectionTheFileTellsTheState)
{
    nlohmann::json profile = toolsProfile();
    profile.erase("hibernation");
    ProfileMachine pc(profile);
    EXPECT_EQ(run(pc, L"powercfg", {L"/hibernate", L"off"}).result.exitCode, 0u);
    EXPECT_EQ(run(pc, L"powercfg", {L"/hibernate", L"on"}).result.exitCode, 0u);
    EXPECT_EQ(fileSize(pc, L"C:\\hiberfil.sys"), kFullSize);
}

TEST(SimDefrag, RetrimOnASolidStateDriveSucceeds)
{
    ProfileMachine pc(toolsProfile());
    auto outcome = run(pc, L"defrag", {L"C:", L"/L"});
    EXPECT_EQ(outcome.result.exitCode, 0u);
    EXPECT_NE(outcome.result.output.find("Invoking retrim on (C:)..."), std::string::npos);
    EXPECT_TRUE(pc.journalHas("command C:\\Windows\\System32\\defrag C: /L -> exit 0"));
}

TEST(SimDefrag, RetrimOnASpinningDiskIsNotSupported)
{
    ProfileMachine pc(toolsProfile());
    auto outcome = run(pc, L"defrag", {L"D:", L"/L"});
    EXPECT_EQ(outcome.result.exitCode, 0x8900002Au);
    EXPECT_NE(outcome.result.output.find("0x8900002A"), std::string::npos);
}

TEST(SimDefrag, DefragmentationPrintsItsProgress)
{
    ProfileMachine pc(toolsProfile());
    auto outcome = run(pc, L"defrag", {L"D:", L"/U"});
    EXPECT_EQ(outcome.result.exitCode, 0u);
    EXPECT_NE(outcome.result.output.find("Defragmentation:  100% complete."), std::string::npos);
}

TEST(SimDefrag, MissingVolumeOrSwitchIsAnError)
{
    ProfileMachine pc(toolsProfile());
    EXPECT_EQ(run(pc, L"defrag", {L"X:", L"/U"}).result.exitCode, 0x80070057u);
    EXPECT_EQ(run(pc, L"defrag", {L"C:"}).result.exitCode, 0x80070057u);
    EXPECT_EQ(run(pc, L"defrag", {L"C:", L"/Q"}).result.exitCode, 0x80070057u);
}

} // namespace
