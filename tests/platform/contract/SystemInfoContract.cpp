#include "platform/ContractTest.h"
#include "platform/Text.h"

using namespace platform;

namespace {

class SystemInfoContract : public ContractTest {};

TEST_F(SystemInfoContract, VersionIsWindows7OrLater)
{
    OsVersion version;
    ASSERT_EQ(machine().systemInfo.version(version), ErrorSuccess);
    EXPECT_TRUE((version.major == 6 && version.minor >= 1) || version.major >= 10);
    EXPECT_GT(version.build, 7000u);
}

// Only a 32-bit process on 64-bit Windows runs under WOW64; a 64-bit process (and the simulated PC's
// default machine) never does.
TEST_F(SystemInfoContract, Wow64OnlyForA32BitProcess)
{
    bool wow64 = true;
    ASSERT_EQ(machine().systemInfo.isWow64Process(wow64), ErrorSuccess);
    if (backend().isSimulated() || sizeof(void*) == 8) {
        EXPECT_FALSE(wow64);
    }
}

TEST_F(SystemInfoContract, PowerStatusUsesTheWindowsCodes)
{
    PowerStatus power;
    ASSERT_EQ(machine().systemInfo.powerStatus(power), ErrorSuccess);
    EXPECT_TRUE(power.acLineStatus == 0 || power.acLineStatus == 1 || power.acLineStatus == 255);
    EXPECT_TRUE(power.batteryLifePercent <= 100 || power.batteryLifePercent == 255);
}

TEST_F(SystemInfoContract, SystemDriveHasSpace)
{
    std::wstring directory;
    ASSERT_EQ(machine().systemInfo.systemDirectory(directory), ErrorSuccess);
    DiskSpace space;
    ASSERT_EQ(machine().systemInfo.diskSpace(directory.substr(0, 2) + L"\\", space), ErrorSuccess);
    EXPECT_GT(space.totalBytes, 0u);
    EXPECT_LE(space.totalFreeBytes, space.totalBytes);
    EXPECT_LE(space.freeBytesAvailable, space.totalFreeBytes);
}

TEST_F(SystemInfoContract, MissingDriveHasNoSpace)
{
    DiskSpace space;
    EXPECT_NE(machine().systemInfo.diskSpace(L"Q:\\", space), ErrorSuccess);
}

TEST_F(SystemInfoContract, MemoryStatusIsConsistent)
{
    MemoryStatus memory;
    ASSERT_EQ(machine().systemInfo.memoryStatus(memory), ErrorSuccess);
    EXPECT_GT(memory.totalPhys, 0u);
    EXPECT_LE(memory.availPhys, memory.totalPhys);
    EXPECT_LE(memory.memoryLoad, 100u);
}

TEST_F(SystemInfoContract, EnvironmentExpandsKnownVariablesOnly)
{
    std::wstring expanded;
    ASSERT_EQ(machine().systemInfo.expandEnvironment(L"%SystemRoot%\\Temp\\", expanded), ErrorSuccess);
    ASSERT_GE(expanded.size(), 8u);
    EXPECT_EQ(expanded[1], L':');
    EXPECT_EQ(expanded.substr(expanded.size() - 6), L"\\Temp\\");
    ASSERT_EQ(machine().systemInfo.expandEnvironment(L"%NO_SUCH_VARIABLE_4711%\\x", expanded), ErrorSuccess);
    EXPECT_EQ(expanded, L"%NO_SUCH_VARIABLE_4711%\\x");
    ASSERT_EQ(machine().systemInfo.expandEnvironment(L"100% sure", expanded), ErrorSuccess);
    EXPECT_EQ(expanded, L"100% sure");
    ASSERT_EQ(machine().systemInfo.expandEnvironment(L"", expanded), ErrorSuccess);
    EXPECT_EQ(expanded, L"");
}

TEST_F(SystemInfoContract, VariableNamesIgnoreCase)
{
    std::wstring upper, mixed;
    ASSERT_EQ(machine().systemInfo.expandEnvironment(L"%SYSTEMROOT%", upper), ErrorSuccess);
    ASSERT_EQ(machine().systemInfo.expandEnvironment(L"%SystemRoot%", mixed), ErrorSuccess);
    EXPECT_EQ(upper, mixed);
    EXPECT_EQ(upper.find(L'%'), std::wstring::npos);
}

TEST_F(SystemInfoContract, JoinStatusIsAJoinState)
{
    JoinStatus status = JoinStatus::Unknown;
    ASSERT_EQ(machine().systemInfo.joinStatus(status), ErrorSuccess);
    EXPECT_TRUE(status == JoinStatus::Unjoined || status == JoinStatus::Workgroup || status == JoinStatus::Domain);
}

TEST_F(SystemInfoContract, MemoryListCommandCallPathOnly)
{
    const Status status = machine().systemInfo.memoryListCommand(2);
    EXPECT_TRUE(status == ErrorSuccess || status == ErrorPrivilegeNotHeld) << status;
}

TEST_F(SystemInfoContract, SystemDriveIsFixedAndAMissingDriveHasNoRoot)
{
    std::wstring directory;
    ASSERT_EQ(machine().systemInfo.systemDirectory(directory), ErrorSuccess);
    EXPECT_EQ(machine().systemInfo.driveType(directory.substr(0, 2) + L"\\"), DriveType::Fixed);
    EXPECT_EQ(machine().systemInfo.driveType(L"Q:\\"), DriveType::NoRootDir);
}

TEST_F(SystemInfoContract, RestorePointsCallPathOnly)
{
    // Wine answers the query with placeholder rows; only the simulated PC's points are checked.
    std::vector<RestorePoint> points;
    const Status status = machine().systemInfo.restorePoints(points);
    if (status != ErrorSuccess) {
        EXPECT_TRUE(points.empty()) << status;
    }
    for (const auto& point : points) {
        if (backend().isSimulated()) {
            EXPECT_GT(point.sequenceNumber, 0u);
        }
    }
}

TEST_F(SystemInfoContract, RemovingAMissingRestorePointFails)
{
    // Wine's SRRemoveRestorePoint is a stub that aborts the process, so the call runs only where it exists.
    if (!backend().isSimulated())
        GTEST_SKIP() << "SRRemoveRestorePoint is not implemented under Wine";
    EXPECT_EQ(machine().systemInfo.removeRestorePoint(0x7FFFFFF0u), ErrorInvalidData);
}

} // namespace
