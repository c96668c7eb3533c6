#include "platform/Text.h"
#include "platform/sim/ProfileMachine.h"
#include "platform/sim/SimTasks.h"

using namespace platform;

namespace {

nlohmann::json tasksProfile()
{
    return {
        {"system", {{"systemDirectory", "C:\\Windows\\system32"}}},
        {"tasks",
         {{{"path", "\\GoogleUpdateTaskMachineCore"}, {"triggers", {8, 9}}},
          {{"path", "\\2345Updater"}, {"hidden", true}, {"triggers", {9}}},
          {{"path", "\\OneDrive Standalone Update Task"}, {"enabled", false}, {"triggers", {1}}},
          {{"path", "\\Broken Task"}, {"triggerError", 2147500033u}},
          {{"path", "\\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater"}, {"triggers", {2}}},
          {{"path", "\\Microsoft\\Windows\\DiskDiagnostic\\Microsoft-Windows-DiskDiagnosticDataCollector"},
           {"hidden", true}}}},
        {"taskFolders", {"\\Microsoft\\Windows\\Empty"}},
    };
}

std::unique_ptr<TaskFolder> openFolder(ProfileMachine& pc, const std::wstring& path)
{
    std::unique_ptr<TaskFolder> folder;
    EXPECT_EQ(pc.platform().tasks.folder(path, folder), ErrorSuccess) << toUtf8(path);
    return folder;
}

std::vector<std::wstring> namesIn(TaskFolder& folder, bool includeHidden)
{
    std::vector<std::unique_ptr<ScheduledTask>> tasks;
    EXPECT_EQ(folder.tasks(includeHidden, tasks), ErrorSuccess);
    std::vector<std::wstring> names;
    for (const auto& task : tasks)
        names.push_back(task->name());
    return names;
}

TEST(SimTasks, PathsAreNormalised)
{
    EXPECT_EQ(sim::SimTasks::normalisePath(L"\\Microsoft\\Windows\\DiskDiagnostic\\"),
              L"\\Microsoft\\Windows\\DiskDiagnostic");
    EXPECT_EQ(sim::SimTasks::normalisePath(L"Microsoft\\\\Windows"), L"\\Microsoft\\Windows");
    EXPECT_EQ(sim::SimTasks::normalisePath(L""), L"\\");
    EXPECT_EQ(sim::SimTasks::normalisePath(L"\\"), L"\\");
}

TEST(SimTasks, RootListsOnlyItsOwnTasksAndHidesHiddenOnesUnlessAsked)
{
    ProfileMachine pc(tasksProfile());
    auto root = openFolder(pc, L"\\");
    ASSERT_TRUE(root);
    EXPECT_EQ(namesIn(*root, false), (std::vector<std::wstring>{L"GoogleUpdateTaskMachineCore",
                                                                L"OneDrive Standalone Update Task", L"Broken Task"}));
    EXPECT_EQ(namesIn(*root, true),
              (std::vector<std::wstring>{L"GoogleUpdateTaskMachineCore", L"2345Updater",
                                         L"OneDrive Standalone Update Task", L"Broken Task"}));
}

TEST(SimTasks, HiddenTaskInASubFolderIsListedWithTheFlag)
{
    ProfileMachine pc(tasksProfile());
    auto folder = openFolder(pc, L"\\Microsoft\\Windows\\DiskDiagnostic\\");
    ASSERT_TRUE(folder);
    EXPECT_TRUE(namesIn(*folder, false).empty());
    EXPECT_EQ(namesIn(*folder, true), (std::vector<std::wstring>{L"Microsoft-Windows-DiskDiagnosticDataCollector"}));
}

TEST(SimTasks, TriggerTypesAreReportedInOrder)
{
    ProfileMachine pc(tasksProfile());
    auto root = openFolder(pc, L"\\");
    std::unique_ptr<ScheduledTask> task;
    ASSERT_EQ(root->task(L"googleupdatetaskmachinecore", task), ErrorSuccess);
    std::vector<std::uint32_t> types;
    ASSERT_EQ(task->triggerTypes(types), ErrorSuccess);
    EXPECT_EQ(types, (std::vector<std::uint32_t>{TriggerType::Boot, TriggerType::Logon}));
    EXPECT_EQ(task->path(), L"\\GoogleUpdateTaskMachineCore");
}

TEST(SimTasks, UnreadableTriggersComeFirstAndAreBounded)
{
    nlohmann::json profile = tasksProfile();
    profile["tasks"].push_back({{"path", "\\Partly"}, {"unreadableTriggers", 2}, {"triggers", {9}}});
    profile["tasks"].push_back({{"path", "\\Hostile"}, {"unreadableTriggers", 4000000000u}});
    ProfileMachine pc(profile);
    auto root = openFolder(pc, L"\\");
    std::unique_ptr<ScheduledTask> task;
    std::vector<std::uint32_t> types;
    ASSERT_EQ(root->task(L"Partly", task), ErrorSuccess);
    ASSERT_EQ(task->triggerTypes(types), ErrorSuccess);
    EXPECT_EQ(types, (std::vector<std::uint32_t>{TriggerType::Unreadable, TriggerType::Unreadable, TriggerType::Logon}));
    ASSERT_EQ(root->task(L"Hostile", task), ErrorSuccess);
    ASSERT_EQ(task->triggerTypes(types), ErrorSuccess);
    EXPECT_EQ(types.size(), 48u);
}

TEST(SimTasks, BrokenTriggersFailWithTheirCode)
{
    ProfileMachine pc(tasksProfile());
    auto root = openFolder(pc, L"\\");
    std::unique_ptr<ScheduledTask> task;
    ASSERT_EQ(root->task(L"Broken Task", task), ErrorSuccess);
    std::vector<std::uint32_t> types;
    EXPECT_EQ(task->triggerTypes(types), 2147500033u);
}

TEST(SimTasks, SubFoldersComeFromTasksAndEmptyFolders)
{
    ProfileMachine pc(tasksProfile());
    std::vector<std::wstring> names;
    ASSERT_EQ(openFolder(pc, L"\\")->subFolders(names), ErrorSuccess);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Microsoft"}));
    ASSERT_EQ(openFolder(pc, L"\\Microsoft\\Windows")->subFolders(names), ErrorSuccess);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Application Experience", L"DiskDiagnostic", L"Empty"}));
    std::unique_ptr<TaskFolder> empty;
    EXPECT_EQ(pc.platform().tasks.folder(L"\\Microsoft\\Windows\\Empty\\", empty), ErrorSuccess);
}

TEST(SimTasks, DisablingIsJournalledAndSaved)
{
    ProfileMachine pc(tasksProfile());
    {
        auto folder = openFolder(pc, L"\\Microsoft\\Windows\\Application Experience\\");
        std::unique_ptr<ScheduledTask> task;
        ASSERT_EQ(folder->task(L"ProgramDataUpdater", task), ErrorSuccess);
        ASSERT_EQ(task->setEnabled(false), ErrorSuccess);
    }
    EXPECT_TRUE(pc.journalHas("task disable \\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater"));
    pc.reopen();
    auto folder = openFolder(pc, L"\\Microsoft\\Windows\\Application Experience");
    std::unique_ptr<ScheduledTask> task;
    ASSERT_EQ(folder->task(L"ProgramDataUpdater", task), ErrorSuccess);
    bool enabled = true;
    ASSERT_EQ(task->enabled(enabled), ErrorSuccess);
    EXPECT_FALSE(enabled);
}

TEST(SimTasks, MachineWithoutTasksHasOnlyTheRoot)
{
    ProfileMachine pc(nlohmann::json{{"system", {{"systemDirectory", "C:\\Windows\\system32"}}}});
    auto root = openFolder(pc, L"\\");
    ASSERT_TRUE(root);
    EXPECT_TRUE(namesIn(*root, true).empty());
    std::unique_ptr<TaskFolder> folder;
    EXPECT_EQ(pc.platform().tasks.folder(L"\\Microsoft\\Windows\\Application Experience\\", folder), ErrorFileNotFound);
}

} // namespace
