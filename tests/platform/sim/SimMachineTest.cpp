#include "platform/Text.h"
#include "platform/sim/DefaultMachine.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace platform;
using namespace platform::sim;

namespace {

class SimMachineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tidewell-simtest-" + std::to_string(random()));
    }

    void TearDown() override
    {
        simulated_.reset();
        machine_.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    SimMachine& make(const nlohmann::json& profile)
    {
        std::string error;
        machine_ = SimMachine::create(folder_, profile, error);
        EXPECT_TRUE(machine_) << error;
        simulated_ = std::make_unique<SimPlatform>(*machine_);
        return *machine_;
    }

    void reopen()
    {
        std::string error;
        ASSERT_TRUE(machine_->save(error)) << error;
        simulated_.reset();
        machine_ = SimMachine::open(folder_, error);
        ASSERT_TRUE(machine_) << error;
        simulated_ = std::make_unique<SimPlatform>(*machine_);
    }

    // Opens the machine again as a run killed now would leave it: nothing saved.
    void reopenUnsaved()
    {
        std::string error;
        simulated_.reset();
        machine_ = SimMachine::open(folder_, error);
        ASSERT_TRUE(machine_) << error;
        simulated_ = std::make_unique<SimPlatform>(*machine_);
    }

    Platform& platform() { return simulated_->platform(); }

    std::string run(const std::vector<std::wstring>& arguments, const std::wstring& program = L"C:\\Windows\\System32\\wbem\\wmic.exe")
    {
        CommandResult result;
        EXPECT_EQ(platform().commands.run(program, arguments, 5000, result), ErrorSuccess);
        return result.output;
    }

    fs::path folder_;
    std::unique_ptr<SimMachine> machine_;
    std::unique_ptr<SimPlatform> simulated_;
};

TEST_F(SimMachineTest, HostPathIgnoresCaseAndNeverLeavesTheDrive)
{
    make({{"files", {{{"path", "C:\\Users\\Ann\\Desktop"}, {"folder", true}}}}});
    fs::path desktop = machine_->hostPath(L"c:\\USERS\\ann\\desktop");
    EXPECT_EQ(desktop, folder_ / "drives" / "C" / "Users" / "Ann" / "Desktop");
    EXPECT_EQ(machine_->hostPath(L"C:\\..\\..\\..\\etc\\passwd"), folder_ / "drives" / "C" / "etc" / "passwd");
    EXPECT_EQ(machine_->hostPath(L"C:/Users/Ann"), folder_ / "drives" / "C" / "Users" / "Ann");
    EXPECT_TRUE(machine_->hostPath(L"relative\\path").empty());
    EXPECT_TRUE(machine_->hostPath(L"\\\\server\\share").empty());
    EXPECT_EQ(machine_->windowsPath(desktop), L"C:\\Users\\Ann\\Desktop");
}

TEST_F(SimMachineTest, FilesRecipeMakesSparseFilesWithTheirAges)
{
    make({{"files", {{{"path", "C:\\Windows\\Temp\\a.tmp"}, {"size", 123456}, {"ageHours", 30}}}}});
    fs::path file = folder_ / "drives" / "C" / "Windows" / "Temp" / "a.tmp";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 123456u);
    auto age = fs::file_time_type::clock::now() - fs::last_write_time(file);
    EXPECT_NEAR(std::chrono::duration_cast<std::chrono::minutes>(age).count(), 30 * 60, 2);
    EXPECT_FALSE(machine_->document().contains("files"));
}

TEST_F(SimMachineTest, PlaceholderIsListedAndNeverRead)
{
    make({{"files", {{{"path", "C:\\OneDrive\\a.docx"}, {"size", 4096}, {"attributes", {"placeholder"}}}}}});
    FileEntry listed;
    platform().files.list(L"C:\\OneDrive", [&](const FileEntry& entry) { return listed = entry, false; });
    EXPECT_TRUE(listed.isPlaceholder());
    ASSERT_EQ(platform().files.setAttributes(L"C:\\OneDrive\\a.docx", FileAttribute::Hidden), ErrorSuccess);
    std::string bytes;
    EXPECT_EQ(platform().files.readFile(L"C:\\OneDrive\\a.docx", 10, bytes), ErrorCantAccessFile);
}

TEST_F(SimMachineTest, RegistryChangesSurviveSaveAndReopen)
{
    make({{"registry", {{"HKLM\\SOFTWARE\\Vendor", {{"Name", "x"}, {"Broken", {{"type", 4}, {"hex", "0100"}}}}}}}});
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(platform().registry.createKey(Hive::LocalMachine, L"SOFTWARE\\Vendor\\Sub", RegAccess::ReadWrite,
                                            RegView::Native64, key),
              ErrorSuccess);
    key->setValue(L"Count", RegValue::dword(7));
    key->setValue(L"Path", RegValue::string(L"%TEMP%\\x", RegType::ExpandSz));
    key->setValue(L"List", RegValue::multiString({L"a", L"b"}));
    key.reset();
    reopen();
    ASSERT_EQ(platform().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Vendor\\Sub", RegAccess::Read,
                                          RegView::Native64, key),
              ErrorSuccess);
    RegValue value;
    ASSERT_EQ(key->queryValue(L"Count", value), ErrorSuccess);
    EXPECT_EQ(value.asDword().value_or(0), 7u);
    ASSERT_EQ(key->queryValue(L"Path", value), ErrorSuccess);
    EXPECT_EQ(value.type, RegType::ExpandSz);
    ASSERT_EQ(key->queryValue(L"List", value), ErrorSuccess);
    EXPECT_EQ(value.asMultiString(), (std::vector<std::wstring>{L"a", L"b"}));
    ASSERT_EQ(platform().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Vendor", RegAccess::Read,
                                          RegView::Native64, key),
              ErrorSuccess);
    ASSERT_EQ(key->queryValue(L"Broken", value), ErrorSuccess);
    EXPECT_EQ(value.type, RegType::Dword);
    EXPECT_EQ(value.data.size(), 2u);
    EXPECT_FALSE(value.asDword().has_value());
}

// Elevated with an administrator's password, the program's HKCU is the administrator's; the session's
// user keeps their own hive below HKU, and that is what the program reads and writes.
TEST_F(SimMachineTest, CurrentUserIsTheSessionsUserUnderAnotherAccount)
{
    const std::string sid = "S-1-5-21-1-2-3-1002";
    make({{"interactiveUser", {{"sid", sid}, {"environment", {{"USERNAME", "Ann"}}}}},
          {"registry", {{"HKCU\\Software\\Tool", {{"v", "admin"}}}, {"HKU\\" + sid + "\\Software\\Tool", {{"v", "ann"}}}}}});
    std::wstring found;
    bool isProcessUser = true;
    ASSERT_EQ(platform().security.interactiveUser(found, isProcessUser), ErrorSuccess);
    EXPECT_EQ(found, fromUtf8(sid));
    EXPECT_FALSE(isProcessUser);
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(platform().registry.openKey(Hive::CurrentUser, L"Software\\Tool", RegAccess::ReadWrite, RegView::Native64, key),
              ErrorSuccess);
    RegValue value;
    ASSERT_EQ(key->queryValue(L"v", value), ErrorSuccess);
    EXPECT_EQ(value.asString(), L"ann");
    ASSERT_EQ(platform().registry.createKey(Hive::CurrentUser, L"Software\\New", RegAccess::Write, RegView::Native64, key),
              ErrorSuccess);
    EXPECT_EQ(machine_->journalLines().back(), "registry create key HKU\\" + sid + "\\Software\\New");
    std::wstring temp;
    ASSERT_EQ(platform().systemInfo.expandEnvironment(L"%TEMP%", temp), ErrorSuccess);
    EXPECT_EQ(temp, L"C:\\Users\\Ann\\AppData\\Local\\Temp");
}

TEST_F(SimMachineTest, DeniedAndReadOnlyKeysRefuseAccess)
{
    make({{"registry", {{"HKLM\\SOFTWARE\\Locked", {{"@denied", true}}}, {"HKLM\\SOFTWARE\\Frozen", {{"@readOnly", true}, {"v", 1}}}}}});
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(platform().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Locked", RegAccess::Read, RegView::Native64, key),
              ErrorAccessDenied);
    EXPECT_EQ(platform().registry.createKey(Hive::LocalMachine, L"SOFTWARE\\Locked\\Child", RegAccess::Write,
                                            RegView::Native64, key),
              ErrorAccessDenied);
    EXPECT_EQ(platform().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Frozen", RegAccess::Read, RegView::Native64, key),
              ErrorSuccess);
    EXPECT_EQ(platform().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Frozen", RegAccess::Write, RegView::Native64, key),
              ErrorAccessDenied);
    EXPECT_EQ(platform().registry.createKey(Hive::LocalMachine, L"SOFTWARE\\Frozen\\New", RegAccess::Write,
                                            RegView::Native64, key),
              ErrorAccessDenied);
}

TEST_F(SimMachineTest, HandleOnADeletedKeyFails)
{
    make({{"registry", {{"HKCU\\Software\\Doomed", {{"v", 1}}}}}});
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(platform().registry.openKey(Hive::CurrentUser, L"Software\\Doomed", RegAccess::ReadWrite, RegView::Native64, key),
              ErrorSuccess);
    ASSERT_EQ(platform().registry.deleteKey(Hive::CurrentUser, L"Software\\Doomed", RegView::Native64), ErrorSuccess);
    RegValue value;
    EXPECT_NE(key->queryValue(L"v", value), ErrorSuccess);
    EXPECT_NE(key->setValue(L"v", RegValue::dword(2)), ErrorSuccess);
}

TEST_F(SimMachineTest, WmicValueFormatUsesCrCrLf)
{
    make({{"wmi", {{"Win32_Processor", {{{"ProcessorId", "ABC"}}}}}}});
    EXPECT_EQ(run({L"path", L"Win32_Processor", L"get", L"ProcessorId", L"/value"}),
              "\r\r\n\r\r\nProcessorId=ABC\r\r\n\r\r\n\r\r\n");
}

TEST_F(SimMachineTest, WmicTableSortsColumnsAndPadsThem)
{
    make({{"wmi", {{"Win32_DiskDrive", {{{"MediaType", "Fixed hard disk media"}, {"DeviceID", "\\\\.\\PHYSICALDRIVE0"}}}}}}});
    EXPECT_EQ(run({L"diskdrive", L"get", L"MediaType,DeviceID"}),
              "DeviceID            MediaType              \r\r\n"
              "\\\\.\\PHYSICALDRIVE0  Fixed hard disk media  \r\r\n"
              "\r\r\n");
}

TEST_F(SimMachineTest, WmicWhereClauseFiltersWithLikeAndEquals)
{
    make({{"wmi",
           {{"Win32_DiskDrive",
             {{{"MediaType", "Fixed SSD"}, {"DeviceID", "DISK0"}}, {{"MediaType", "Fixed hard disk"}, {"DeviceID", "DISK1"}}}}}}});
    std::string ssd = run({L"diskdrive", L"where", L"MediaType like '%SSD%' and DeviceID like '%0%'", L"get", L"MediaType"});
    EXPECT_NE(ssd.find("Fixed SSD"), std::string::npos);
    EXPECT_EQ(ssd.find("hard disk"), std::string::npos);
    EXPECT_EQ(run({L"diskdrive", L"where", L"DeviceID='DISK9'", L"get", L"MediaType"}), "");
}

TEST_F(SimMachineTest, WmicCanAnswerLikeWine)
{
    make({{"wmicOutput", "utf16"}, {"wmi", {{"Win32_BaseBoard", {{{"SerialNumber", "S1"}}}}}}});
    std::string output = run({L"baseboard", L"get", L"SerialNumber", L"/value"});
    ASSERT_GE(output.size(), 2u);
    EXPECT_EQ(output.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(output.substr(2, 4), std::string("\r\0\n\0", 4));
}

TEST_F(SimMachineTest, WmicTakesABareClassNameForAnUnknownAlias)
{
    make({{"wmi", {{"Win32_Processor", {{{"ProcessorId", "ABC"}}}}}}});
    CommandResult result;
    ASSERT_EQ(platform().commands.run(L"C:\\Windows\\System32\\wbem\\wmic.exe", {L"Win32_Processor", L"get", L"ProcessorId", L"/value"}, 5000, result),
              ErrorSuccess);
    EXPECT_NE(result.exitCode, 0u);
    EXPECT_EQ(result.output, "");
    EXPECT_NE(run({L"cpu", L"get", L"ProcessorId", L"/value"}).find("ProcessorId=ABC"), std::string::npos);
}

TEST_F(SimMachineTest, WmicWithNamespaceAndPath)
{
    make({{"wmi", {{"AntiVirusProduct", {{{"displayName", "Windows Defender"}}, {{"displayName", "火绒安全"}}}}}}});
    std::string output = run({L"/namespace:\\\\root\\SecurityCenter2", L"path", L"AntiVirusProduct", L"get", L"displayName"});
    EXPECT_NE(output.find("Windows Defender"), std::string::npos);
    EXPECT_NE(output.find("火绒安全"), std::string::npos);
}

TEST_F(SimMachineTest, ToolOverridesAndJournal)
{
    make({{"tools", {{"wmic", {{"exitCode", 5}, {"output", "odd"}}}, {"defrag", "missing"}, {"bcdedit", "hang"}}}});
    CommandResult result;
    EXPECT_EQ(platform().commands.run(L"C:\\Windows\\System32\\wmic", {L"cpu", L"get", L"Name"}, 100, result), ErrorSuccess);
    EXPECT_EQ(result.exitCode, 5u);
    EXPECT_EQ(result.output, "odd");
    EXPECT_EQ(platform().commands.run(L"C:\\Windows\\System32\\Defrag.exe", {L"C:"}, 100, result), ErrorFileNotFound);
    EXPECT_EQ(platform().commands.run(L"bcdedit", {}, 100, result), ErrorBadPathname);
    EXPECT_EQ(platform().commands.run(L"C:\\bcdedit", {}, 100, result), WaitTimeout);
    auto journal = machine_->journalLines();
    ASSERT_EQ(journal.size(), 4u);
    EXPECT_EQ(journal[0], "command C:\\Windows\\System32\\wmic cpu get Name -> failed, exit 5");
    EXPECT_EQ(journal[1], "command C:\\Windows\\System32\\Defrag.exe C: -> not found");
    EXPECT_EQ(journal[2], "command bcdedit -> refused, not a full path");
    EXPECT_EQ(journal[3], "command C:\\bcdedit -> no answer within 100 ms, ended");
}

TEST_F(SimMachineTest, SaveAppendsTheJournalOnce)
{
    make({});
    std::unique_ptr<RegistryKey> key;
    platform().registry.createKey(Hive::CurrentUser, L"Software\\T", RegAccess::Write, RegView::Native64, key);
    key->setValue(L"a", RegValue::dword(1));
    std::string error;
    ASSERT_TRUE(machine_->save(error));
    ASSERT_TRUE(machine_->save(error));
    std::ifstream in(folder_ / "journal.log");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "registry create key HKCU\\Software\\T\nregistry set HKCU\\Software\\T [a] = REG_DWORD 1\n");
}

TEST_F(SimMachineTest, UnreadableProfileIsRefusedAndLeftAlone)
{
    fs::create_directories(folder_);
    std::ofstream(folder_ / "machine.json") << "{ not json";
    std::string error;
    EXPECT_EQ(SimMachine::open(folder_, error), nullptr);
    EXPECT_NE(error.find("not valid JSON"), std::string::npos);
    std::ifstream in(folder_ / "machine.json");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "{ not json");
}

TEST_F(SimMachineTest, EmptyFolderGetsTheDefaultMachine)
{
    fs::create_directories(folder_);
    std::string error;
    machine_ = SimMachine::open(folder_, error);
    ASSERT_TRUE(machine_) << error;
    simulated_ = std::make_unique<SimPlatform>(*machine_);
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(platform().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                          RegAccess::Read, RegView::Native64, key),
              ErrorSuccess);
    RegValue value;
    ASSERT_EQ(key->queryValue(L"CurrentBuildNumber", value), ErrorSuccess);
    EXPECT_EQ(value.asString(), L"19045");
    EXPECT_TRUE(fs::is_directory(folder_ / "drives" / "C" / "Windows"));
}

TEST_F(SimMachineTest, JournalLinesAreOnDiskAsSoonAsTheChangeIsMade)
{
    make({{"files", {{{"path", "C:\\Temp\\a.tmp"}, {"size", 10}}}}});
    ASSERT_EQ(platform().files.deleteFile(L"C:\\Temp\\a.tmp"), ErrorSuccess);
    // No save: a run ended here still leaves the record of the deletion.
    std::ifstream in(folder_ / "journal.log");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "delete C:\\Temp\\a.tmp\n");
}

TEST_F(SimMachineTest, ChangesSurviveAReopenWithoutSaveAndABrokenLastLineIsSkipped)
{
    make({{"registry", {{"HKCU\\Software\\T", {{"Gone", 1}, {"Old", "x"}}}, {"HKCU\\Software\\T\\Leaf", {{"v", 1}}}}},
          {"services", {{"Spooler", {{"state", "running"}, {"startType", "auto"}}}}},
          {"tcpGlobal", {{"autotuninglevel", "disabled"}}}});
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(platform().registry.openKey(Hive::CurrentUser, L"software\\t", RegAccess::ReadWrite, RegView::Native64, key),
              ErrorSuccess);
    key->setValue(L"OLD", RegValue::dword(2));
    key->deleteValue(L"gone");
    ASSERT_EQ(platform().registry.deleteKey(Hive::CurrentUser, L"Software\\T\\Leaf", RegView::Native64), ErrorSuccess);
    std::unique_ptr<ServiceManager> manager;
    std::unique_ptr<Service> service;
    platform().services.openManager(0, manager);
    ASSERT_EQ(manager->openService(L"spooler", ServiceAccess::ChangeConfig, service), ErrorSuccess);
    service->changeStartType(ServiceStart::Manual);
    run({L"interface", L"tcp", L"set", L"global", L"autotuninglevel=normal"}, L"C:\\Windows\\System32\\netsh.exe");
    std::ofstream(folder_ / "changes.jsonl", std::ios::app) << R"({"registry": "set", "key": "HKCU\\Software\\T", "na)";
    key.reset();
    service.reset();
    manager.reset();

    reopenUnsaved();
    platform().registry.openKey(Hive::CurrentUser, L"Software\\T", RegAccess::ReadWrite, RegView::Native64, key);
    RegValue value;
    ASSERT_EQ(key->queryValue(L"Old", value), ErrorSuccess);
    EXPECT_EQ(value.asDword().value_or(0), 2u);
    EXPECT_EQ(key->queryValue(L"Gone", value), ErrorFileNotFound);
    std::uint32_t subKeys = 1;
    key->subKeyCount(subKeys);
    EXPECT_EQ(subKeys, 0u);
    EXPECT_EQ(machine_->document()["services"]["Spooler"]["startType"], "manual");
    EXPECT_EQ(machine_->document()["tcpGlobal"]["autotuninglevel"], "normal");
    // The cut line is gone, so a change made now is read back whole.
    key->setValue(L"After", RegValue::dword(3));
    key.reset();
    reopenUnsaved();
    platform().registry.openKey(Hive::CurrentUser, L"Software\\T", RegAccess::Read, RegView::Native64, key);
    EXPECT_EQ(key->queryValue(L"After", value), ErrorSuccess);
    key.reset();
    reopen();
    EXPECT_EQ(fs::file_size(folder_ / "changes.jsonl"), 0u);
    EXPECT_EQ(machine_->document()["registry"]["HKCU\\Software\\T"]["After"], 3);
}

// Each row breaks one member after the machine was opened and makes the call that reads it: the
// simulated PC answers with its default instead of throwing out of the platform call.
TEST_F(SimMachineTest, WrongTypesNeverThrowOutOfAPlatformCall)
{
    const struct {
        const char* pointer;
        const char* json;
        std::function<void(Platform&)> call;
    } cases[] = {
        {"/power", R"("mains")", [](Platform& p) { PowerStatus s; p.systemInfo.powerStatus(s); }},
        {"/power/acLineStatus", R"("0")", [](Platform& p) { PowerStatus s; p.systemInfo.powerStatus(s); }},
        {"/memory/totalPhys", R"("8G")", [](Platform& p) { MemoryStatus s; p.systemInfo.memoryStatus(s); }},
        {"/system/version/major", R"("10")", [](Platform& p) { OsVersion v; p.systemInfo.version(v); }},
        {"/disks", R"({"C:": {"freeGB": "30"}})", [](Platform& p) { DiskSpace d; p.systemInfo.diskSpace(L"C:\\", d); }},
        {"/security", R"("admin")", [](Platform& p) { bool m; p.security.isAdministrator(m); }},
        {"/processes", R"(["System", {"pid": "4"}])", [](Platform& p) { p.processes.trimWorkingSet(0); }},
        {"/processSnapshotFails", R"("yes")",
         [](Platform& p) { std::vector<ProcessEntry> e; p.processes.snapshot(e); }},
        {"/windows", R"([{"visible": "no", "pid": "9"}])",
         [](Platform& p) { std::vector<WindowInfo> w; p.windows.enumerate(w); }},
        {"/tools/wmic", R"({"exitCode": "5", "output": 7})",
         [](Platform& p) { CommandResult r; p.commands.run(L"C:\\wmic.exe", {L"os"}, 100, r); }},
        {"/hibernation", R"({"enabled": "yes", "fullSize": "big"})",
         [](Platform& p) { CommandResult r; p.commands.run(L"C:\\powercfg.exe", {L"/h", L"/type", L"full"}, 100, r); }},
        {"/boot", R"({"entries": {"{current}": "Windows"}})",
         [](Platform& p) {
             CommandResult r;
             p.commands.run(L"C:\\bcdedit.exe", {L"/set", L"{current}", L"quietboot", L"on"}, 100, r);
         }},
    };
    make({{"files", {{{"path", "C:\\Temp"}, {"folder", true}}}}});
    for (const auto& row : cases) {
        SCOPED_TRACE(row.pointer);
        const nlohmann::json::json_pointer pointer(row.pointer);
        const nlohmann::json before = machine_->document().contains(pointer) ? machine_->document()[pointer] : nullptr;
        machine_->document()[pointer] = nlohmann::json::parse(row.json);
        EXPECT_NO_THROW(row.call(platform()));
        machine_->document()[pointer] = before;
    }
}

TEST(DefaultMachineTest, FragmentsMergeObjectsAndAppendArrays)
{
    nlohmann::json base = {{"a", {{"x", 1}}}, {"list", {1}}, {"s", "old"}};
    mergeProfile(base, {{"a", {{"y", 2}}}, {"list", {2}}, {"s", "new"}});
    EXPECT_EQ(base, (nlohmann::json{{"a", {{"x", 1}, {"y", 2}}}, {"list", {1, 2}}, {"s", "new"}}));
}

TEST(RegValueTest, TextSurvivesUtf16AndUtf8)
{
    std::wstring text = L"中文 \U0001F600 ok";
    EXPECT_EQ(RegValue::string(text).asString(), text);
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(fromUtf8("\xff\xfe"), std::wstring(L"\xFFFD\xFFFD"));
}

} // namespace
