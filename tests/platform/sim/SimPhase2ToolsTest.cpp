#include "platform/Text.h"
#include "platform/sim/ProfileMachine.h"

using namespace platform;

namespace {

nlohmann::json phase2Profile()
{
    return {
        {"system", {{"systemDirectory", "C:\\Windows\\system32"}}},
        {"eventLogs", {{"Application", {{"maxSize", 20971520}}}, {"Security", {{"maxSize", 134217728}}}}},
        {"tcpGlobal", {{"autotuninglevel", "disabled"}}},
        {"disks", {{"E:", {{"type", "removable"}}}}},
        {"restorePoints",
         {{{"sequenceNumber", 41}, {"description", "Windows Update"}, {"creationTime", "20261101093000.000000-000"}},
          {{"sequenceNumber", 40}, {"description", ""}, {"creationTime", "20261020080000.000000-000"}}}},
        {"files",
         {{{"path", "C:\\Program Files\\Common Files\\a.txt"}, {"size", 1}},
          {{"path", "C:\\Program Files (x86)\\x.txt"}, {"size", 1}},
          {{"path", "E:\\stick"}, {"folder", true}}}},
    };
}

CommandResult run(ProfileMachine& pc, const wchar_t* tool, std::vector<std::wstring> arguments, Status expected = 0)
{
    CommandResult result;
    const std::wstring program = L"C:\\Windows\\System32\\" + std::wstring(tool) + L".exe";
    EXPECT_EQ(pc.platform().commands.run(program, arguments, 10000, result), expected);
    return result;
}

TEST(SimWevtutil, GetLogPrintsTheMaximumInTheRealLayout)
{
    ProfileMachine pc(phase2Profile());
    const auto result = run(pc, L"wevtutil", {L"gl", L"application"});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_NE(result.output.find("name: Application\r\n"), std::string::npos);
    EXPECT_NE(result.output.find("\r\n  maxSize: 20971520\r\n"), std::string::npos);
}

TEST(SimWevtutil, SetLogTakesBytesOnly)
{
    ProfileMachine pc(phase2Profile());
    EXPECT_EQ(run(pc, L"wevtutil", {L"sl", L"Application", L"/ms:256MB"}).exitCode, 87u);
    EXPECT_EQ(run(pc, L"wevtutil", {L"sl", L"Application", L"/ms:1000"}).exitCode, 87u);
    EXPECT_EQ(run(pc, L"wevtutil", {L"sl", L"NoSuchLog", L"/ms:16777216"}).exitCode, 15007u);
    EXPECT_EQ(run(pc, L"wevtutil", {L"sl", L"Application", L"/ms:16777216"}).exitCode, 0u);
    EXPECT_EQ(pc.machine().document()["eventLogs"]["Application"]["maxSize"], 16777216);
}

TEST(SimNetsh, AutoTuningLevelIsOneArgument)
{
    ProfileMachine pc(phase2Profile());
    EXPECT_EQ(run(pc, L"netsh", {L"interface", L"tcp", L"set", L"global", L"autotuninglevel", L"normal"}).exitCode, 1u);
    EXPECT_EQ(pc.machine().document()["tcpGlobal"]["autotuninglevel"], "disabled");
    const auto set = run(pc, L"netsh", {L"interface", L"tcp", L"set", L"global", L"autotuninglevel=normal"});
    EXPECT_EQ(set.exitCode, 0u);
    EXPECT_EQ(set.output, "Ok.\r\n\r\n");
    const auto shown = run(pc, L"netsh", {L"interface", L"tcp", L"show", L"global"});
    EXPECT_NE(shown.output.find("Receive Window Auto-Tuning Level    : normal"), std::string::npos);
}

TEST(SimRestorePoints, ListedNativelyAndByWmicAndRemovedOneByOne)
{
    ProfileMachine pc(phase2Profile());
    std::vector<RestorePoint> points;
    ASSERT_EQ(pc.platform().systemInfo.restorePoints(points), ErrorSuccess);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].sequenceNumber, 41u);
    const auto wmic = run(pc, L"wmic", {L"/namespace:\\\\root\\default", L"path", L"SystemRestore", L"get",
                                        L"SequenceNumber,Description,CreationTime"});
    EXPECT_EQ(wmic.output.rfind("CreationTime", 0), 0u);
    EXPECT_NE(wmic.output.find("Windows Update"), std::string::npos);
    EXPECT_EQ(pc.platform().systemInfo.removeRestorePoint(40), ErrorSuccess);
    EXPECT_EQ(pc.platform().systemInfo.removeRestorePoint(40), ErrorInvalidData);
    ASSERT_EQ(pc.platform().systemInfo.restorePoints(points), ErrorSuccess);
    EXPECT_EQ(points.size(), 1u);
}

TEST(SimDriveType, FromTheDisksSectionOrFixed)
{
    ProfileMachine pc(phase2Profile());
    EXPECT_EQ(pc.platform().systemInfo.driveType(L"C:\\"), DriveType::Fixed);
    EXPECT_EQ(pc.platform().systemInfo.driveType(L"E:\\"), DriveType::Removable);
    EXPECT_EQ(pc.platform().systemInfo.driveType(L"F:\\"), DriveType::NoRootDir);
}

TEST(SimLongPathName, ShortNamesBecomeLongOnes)
{
    ProfileMachine pc(phase2Profile());
    std::wstring longPath;
    ASSERT_EQ(pc.platform().files.longPathName(L"c:\\PROGRA~1\\COMMON~1\\A.TXT", longPath), ErrorSuccess);
    EXPECT_EQ(longPath, L"c:\\Program Files\\Common Files\\A.TXT");
    ASSERT_EQ(pc.platform().files.longPathName(L"C:\\PROGRA~2", longPath), ErrorSuccess);
    EXPECT_EQ(longPath, L"C:\\Program Files (x86)");
    EXPECT_EQ(pc.platform().files.longPathName(L"C:\\PROGRA~3", longPath), ErrorFileNotFound);
}

} // namespace
