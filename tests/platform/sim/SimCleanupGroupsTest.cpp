#include "platform/Text.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;
using namespace platform;
using namespace platform::sim;

namespace {

// What only the simulated PC shows of the groups the cleanup uses: flags Linux files lack, locked files,
// real links, services that hang or refuse, working sets that turn into available memory.
class SimCleanupGroupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tidewell-simgroups-" + std::to_string(random()));
    }

    void TearDown() override
    {
        simulated_.reset();
        machine_.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    Platform& make(const nlohmann::json& profile)
    {
        std::string error;
        machine_ = SimMachine::create(folder_, profile, error);
        EXPECT_TRUE(machine_) << error;
        simulated_ = std::make_unique<SimPlatform>(*machine_);
        return simulated_->platform();
    }

    Platform& reopen()
    {
        std::string error;
        EXPECT_TRUE(machine_->save(error)) << error;
        simulated_.reset();
        machine_ = SimMachine::open(folder_, error);
        EXPECT_TRUE(machine_) << error;
        simulated_ = std::make_unique<SimPlatform>(*machine_);
        return simulated_->platform();
    }

    bool exists(const std::wstring& path) { return fs::exists(machine_->hostPath(path)); }

    bool journalHas(const std::string& line)
    {
        for (const auto& entry : machine_->journalLines()) {
            if (entry == line)
                return true;
        }
        return false;
    }

    fs::path folder_;
    std::unique_ptr<SimMachine> machine_;
    std::unique_ptr<SimPlatform> simulated_;
};

nlohmann::json flaggedFiles()
{
    return {{"files",
             {{{"path", "C:\\Temp\\locked.log"}, {"size", 100}, {"attributes", {"locked"}}},
              {{"path", "C:\\Temp\\setup.exe"}, {"size", 200}, {"attributes", {"readonly", "hidden"}}},
              {{"path", "C:\\Temp\\plain.tmp"}, {"size", 300}},
              {{"path", "C:\\Photos\\IMG_1.JPG"}, {"size", 400}},
              {{"path", "C:\\Temp\\photos"}, {"linkTo", "C:\\Photos"}}}}};
}

TEST_F(SimCleanupGroupsTest, LockedFileIsHeldByAnotherProgram)
{
    Platform& pc = make(flaggedFiles());
    std::string bytes;
    EXPECT_EQ(pc.files.deleteFile(L"C:\\Temp\\locked.log"), ErrorSharingViolation);
    EXPECT_EQ(pc.files.rename(L"C:\\Temp\\locked.log", L"C:\\Temp\\x.log"), ErrorSharingViolation);
    EXPECT_EQ(pc.files.readFile(L"C:\\Temp\\locked.log", 10, bytes), ErrorSharingViolation);
    EXPECT_TRUE(exists(L"C:\\Temp\\locked.log"));
}

TEST_F(SimCleanupGroupsTest, FlagsFromTheProfileShowAndSurviveASave)
{
    make(flaggedFiles());
    Platform& pc = reopen();
    FileEntry entry;
    ASSERT_EQ(pc.files.attributes(L"C:\\temp\\SETUP.EXE", entry), ErrorSuccess);
    EXPECT_TRUE(entry.attributes & FileAttribute::ReadOnly);
    EXPECT_TRUE(entry.attributes & FileAttribute::Hidden);
    EXPECT_EQ(entry.size, 200u);
    EXPECT_EQ(pc.files.deleteFile(L"C:\\Temp\\setup.exe"), ErrorAccessDenied);
    EXPECT_EQ(pc.files.deleteFile(L"C:\\Temp\\locked.log"), ErrorSharingViolation);
}

TEST_F(SimCleanupGroupsTest, RenameCarriesTheFlagsAlong)
{
    Platform& pc = make(flaggedFiles());
    ASSERT_EQ(pc.files.rename(L"C:\\Temp\\setup.exe", L"C:\\Temp\\setup.old"), ErrorSuccess);
    FileEntry entry;
    ASSERT_EQ(pc.files.attributes(L"C:\\Temp\\setup.old", entry), ErrorSuccess);
    EXPECT_TRUE(entry.attributes & FileAttribute::ReadOnly);
    EXPECT_TRUE(journalHas("rename C:\\Temp\\setup.exe -> C:\\Temp\\setup.old"));
}

TEST_F(SimCleanupGroupsTest, ALinkIsAReparsePointAndOnlyTheLinkGoes)
{
    Platform& pc = make(flaggedFiles());
    FileEntry link;
    bool seen = false;
    pc.files.list(L"C:\\Temp", [&](const FileEntry& entry) {
        if (entry.name == L"photos") {
            link = entry;
            seen = true;
        }
        return true;
    });
    ASSERT_TRUE(seen);
    EXPECT_TRUE(link.isLink());
    EXPECT_TRUE(link.isDirectory());
    EXPECT_EQ(pc.files.deleteFile(L"C:\\Temp\\photos"), ErrorAccessDenied);
    EXPECT_EQ(pc.files.removeDirectory(L"C:\\Temp\\photos"), ErrorSuccess);
    EXPECT_FALSE(exists(L"C:\\Temp\\photos"));
    EXPECT_TRUE(exists(L"C:\\Photos\\IMG_1.JPG"));
}

TEST_F(SimCleanupGroupsTest, DeletionIsJournalledAndAFolderIsNoFile)
{
    Platform& pc = make(flaggedFiles());
    EXPECT_EQ(pc.files.deleteFile(L"C:\\Temp\\plain.tmp"), ErrorSuccess);
    EXPECT_TRUE(journalHas("delete C:\\Temp\\plain.tmp"));
    EXPECT_EQ(pc.files.deleteFile(L"C:\\Temp"), ErrorAccessDenied);
}

TEST_F(SimCleanupGroupsTest, ExactChildNamesAndOtherCaseBothReachTheFile)
{
    Platform& pc = make(flaggedFiles());
    std::vector<std::wstring> names;
    pc.files.list(L"C:\\TEMP", [&](const FileEntry& entry) {
        names.push_back(entry.name);
        return true;
    });
    EXPECT_EQ(names.size(), 4u);
    EXPECT_EQ(pc.files.deleteFile(L"C:\\TEMP\\plain.tmp"), ErrorSuccess);
    EXPECT_EQ(pc.files.deleteFile(L"C:\\TEMP\\PLAIN.TMP"), ErrorFileNotFound);
    EXPECT_FALSE(exists(L"C:\\Temp\\plain.tmp"));
}

nlohmann::json servicesAndProcesses()
{
    return {{"services",
             {{"Hang", {{"state", "running"}, {"onStop", "hangs"}}},
              {"Refuse", {{"state", "running"}, {"onStop", "refuses"}}},
              {"Denied", {{"state", "running"}, {"denied", true}}}}},
            {"memory", {{"totalPhys", 8589934592ull}, {"availPhys", 1073741824ull}}},
            {"processes",
             {{{"pid", 4}, {"name", "System"}, {"protected", true}, {"workingSet", 1048576}},
              {{"pid", 1200}, {"name", "chrome.exe"}, {"workingSet", 209715200}},
              {{"pid", 1300}, {"name", "explorer.exe"}, {"workingSet", 104857600}}}}};
}

std::unique_ptr<Service> openService(Platform& pc, const std::wstring& name, std::uint32_t access, Status& status)
{
    std::unique_ptr<ServiceManager> manager;
    pc.services.openManager(ManagerAccess::Connect, manager);
    std::unique_ptr<Service> service;
    status = manager->openService(name, access, service);
    return service;
}

TEST_F(SimCleanupGroupsTest, AHangingServiceStaysStopPendingAcrossASave)
{
    Platform& pc = make(servicesAndProcesses());
    Status status;
    auto service = openService(pc, L"hang", ServiceAccess::Stop | ServiceAccess::QueryStatus, status);
    ServiceStatus state;
    ASSERT_EQ(service->stop(state), ErrorSuccess);
    EXPECT_EQ(state.currentState, ServiceState::StopPending);
    EXPECT_EQ(service->stop(state), ErrorServiceCannotAcceptCtrl);
    service.reset();
    Platform& again = reopen();
    service = openService(again, L"Hang", ServiceAccess::QueryStatus, status);
    ASSERT_EQ(service->queryStatus(state), ErrorSuccess);
    EXPECT_EQ(state.currentState, ServiceState::StopPending);
}

TEST_F(SimCleanupGroupsTest, RefusedStopAndDeniedOpen)
{
    Platform& pc = make(servicesAndProcesses());
    Status status;
    auto service = openService(pc, L"Refuse", ServiceAccess::Stop, status);
    ServiceStatus state;
    EXPECT_EQ(service->stop(state), ErrorServiceCannotAcceptCtrl);
    EXPECT_TRUE(journalHas("service Refuse stop refused"));
    openService(pc, L"Denied", ServiceAccess::QueryStatus, status);
    EXPECT_EQ(status, ErrorAccessDenied);
}

TEST_F(SimCleanupGroupsTest, TrimmedWorkingSetsBecomeAvailableMemory)
{
    Platform& pc = make(servicesAndProcesses());
    EXPECT_EQ(pc.processes.trimWorkingSet(1200), ErrorSuccess);
    MemoryStatus memory;
    ASSERT_EQ(pc.systemInfo.memoryStatus(memory), ErrorSuccess);
    EXPECT_EQ(memory.availPhys, 1073741824ull + 209715200ull);
    EXPECT_EQ(pc.processes.trimWorkingSet(1200), ErrorSuccess);
    ASSERT_EQ(pc.systemInfo.memoryStatus(memory), ErrorSuccess);
    EXPECT_EQ(memory.availPhys, 1073741824ull + 209715200ull);
    EXPECT_EQ(pc.processes.trimWorkingSet(4), ErrorAccessDenied);
}

TEST_F(SimCleanupGroupsTest, EmptyWorkingSetsCommandTrimsEveryOpenableProcess)
{
    Platform& pc = make(servicesAndProcesses());
    ASSERT_EQ(pc.systemInfo.memoryListCommand(SimSystemInfo::kEmptyWorkingSets), ErrorSuccess);
    MemoryStatus memory;
    ASSERT_EQ(pc.systemInfo.memoryStatus(memory), ErrorSuccess);
    EXPECT_EQ(memory.availPhys, 1073741824ull + 209715200ull + 104857600ull);
    EXPECT_EQ(pc.systemInfo.memoryListCommand(99), ErrorInvalidParameter);
}

TEST_F(SimCleanupGroupsTest, MemoryListCommandNeedsThePrivilege)
{
    nlohmann::json profile = servicesAndProcesses();
    profile["security"] = {{"administrator", false}};
    Platform& pc = make(profile);
    EXPECT_EQ(pc.systemInfo.memoryListCommand(SimSystemInfo::kEmptyWorkingSets), ErrorPrivilegeNotHeld);
    bool member = true;
    ASSERT_EQ(pc.security.isAdministrator(member), ErrorSuccess);
    EXPECT_FALSE(member);
}

TEST_F(SimCleanupGroupsTest, PowerDisksJoinAndEnvironmentComeFromTheProfile)
{
    Platform& pc = make({{"power", {{"acLineStatus", 0}, {"batteryFlag", 8}, {"batteryLifePercent", 19}}},
                         {"disks", {{"C:", {{"totalGB", 100}, {"freeGB", 15.1}}}}},
                         {"system", {{"joinStatus", "domain"}}},
                         {"environment", {{"USERNAME", "Ann"}, {"TEMP", "D:\\Scratch"}}}});
    PowerStatus power;
    ASSERT_EQ(pc.systemInfo.powerStatus(power), ErrorSuccess);
    EXPECT_EQ(power.acLineStatus, 0);
    EXPECT_EQ(power.batteryLifePercent, 19);
    DiskSpace space;
    ASSERT_EQ(pc.systemInfo.diskSpace(L"c:\\", space), ErrorSuccess);
    EXPECT_EQ(space.totalBytes, 100ull << 30);
    EXPECT_EQ(space.freeBytesAvailable, static_cast<std::uint64_t>(15.1 * (1ull << 30) + 0.5));
    JoinStatus join;
    ASSERT_EQ(pc.systemInfo.joinStatus(join), ErrorSuccess);
    EXPECT_EQ(join, JoinStatus::Domain);
    std::wstring expanded;
    pc.systemInfo.expandEnvironment(L"%LOCALAPPDATA%|%temp%|%windir%", expanded);
    EXPECT_EQ(expanded, L"C:\\Users\\Ann\\AppData\\Local|D:\\Scratch|C:\\Windows");
}

TEST_F(SimCleanupGroupsTest, FailingPowerAndJoinQueries)
{
    Platform& pc = make({{"power", {{"fails", true}}}, {"system", {{"joinStatus", "fails"}}}});
    PowerStatus power;
    EXPECT_NE(pc.systemInfo.powerStatus(power), ErrorSuccess);
    JoinStatus join;
    EXPECT_NE(pc.systemInfo.joinStatus(join), ErrorSuccess);
}

} // namespace
