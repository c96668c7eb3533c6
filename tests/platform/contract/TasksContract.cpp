#include "platform/ContractTest.h"
#include "platform/Text.h"

#include <memory>

using namespace platform;

namespace {

class TasksContract : public ContractTest {
protected:
    std::unique_ptr<ScheduledTask> openTask(const std::wstring& folderPath, const std::wstring& name)
    {
        std::unique_ptr<TaskFolder> folder;
        if (machine().tasks.folder(folderPath, folder) != ErrorSuccess)
            return nullptr;
        std::unique_ptr<ScheduledTask> task;
        if (folder->task(name, task) != ErrorSuccess)
            return nullptr;
        return task;
    }

    bool isEnabled(const std::wstring& name)
    {
        auto task = openTask(backend().scratchTaskFolder(), name);
        bool enabled = true;
        EXPECT_TRUE(task && task->enabled(enabled) == ErrorSuccess);
        return enabled;
    }
};

TEST_F(TasksContract, RootFolderOpens)
{
    std::unique_ptr<TaskFolder> root;
    EXPECT_EQ(machine().tasks.folder(L"\\", root), ErrorSuccess);
    EXPECT_TRUE(root);
}

TEST_F(TasksContract, MissingFolderIsFileNotFound)
{
    std::unique_ptr<TaskFolder> folder;
    EXPECT_EQ(machine().tasks.folder(L"\\No Such Folder 4711\\", folder), ErrorFileNotFound);
}

TEST_F(TasksContract, MissingTaskIsFileNotFound)
{
    std::unique_ptr<TaskFolder> root;
    ASSERT_EQ(machine().tasks.folder(L"\\", root), ErrorSuccess);
    std::unique_ptr<ScheduledTask> task;
    EXPECT_EQ(root->task(L"No Such Task 4711", task), ErrorFileNotFound);
}

TEST_F(TasksContract, FolderPathWithTrailingBackslashFindsTheTask)
{
    if (!backend().addTask(L"Tidewell Probe", true))
        GTEST_SKIP() << "this backend cannot register tasks";
    auto task = openTask(backend().scratchTaskFolder() + L"\\", L"Tidewell Probe");
    ASSERT_TRUE(task);
    EXPECT_EQ(task->name(), L"Tidewell Probe");
    EXPECT_TRUE(equalsIgnoreCase(task->path(), backend().scratchTaskFolder() + L"\\Tidewell Probe"));
}

// Wine's IRegisteredTask::put_Enabled answers S_OK and changes nothing: under Wine only the call path is
// pinned, the switch itself on the simulated PC.
TEST_F(TasksContract, SwitchingATaskCallPathOnly)
{
    const struct {
        const wchar_t* name;
        bool enabledBefore;
        bool switchTo;
    } cases[] = {
        {L"Tidewell Probe Disable", true, false},
        {L"Tidewell Probe Disable Again", false, false},
        {L"Tidewell Probe Enable", false, true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(toUtf8(row.name));
        if (!backend().addTask(row.name, row.enabledBefore))
            GTEST_SKIP() << "this backend cannot register tasks";
        auto task = openTask(backend().scratchTaskFolder(), row.name);
        ASSERT_TRUE(task);
        ASSERT_EQ(task->setEnabled(row.switchTo), ErrorSuccess);
        const bool enabled = isEnabled(row.name);
        if (backend().isSimulated()) {
            EXPECT_EQ(enabled, row.switchTo);
        }
    }
}

// Wine answers GetTasks with E_NOTIMPL: only the call path is pinned here, the listing itself on the
// simulated PC.
TEST_F(TasksContract, ListingWithHiddenTasksCallPathOnly)
{
    std::unique_ptr<TaskFolder> root;
    ASSERT_EQ(machine().tasks.folder(L"\\", root), ErrorSuccess);
    std::vector<std::unique_ptr<ScheduledTask>> tasks;
    if (root->tasks(true, tasks) != ErrorSuccess)
        return;
    for (const auto& task : tasks) {
        EXPECT_FALSE(task->name().empty());
        EXPECT_EQ(task->path(), L"\\" + task->name());
    }
}

// Wine's trigger collections answer E_NOTIMPL.
TEST_F(TasksContract, TriggerTypesCallPathOnly)
{
    if (!backend().addTask(L"Tidewell Probe", true))
        GTEST_SKIP() << "this backend cannot register tasks";
    auto task = openTask(backend().scratchTaskFolder(), L"Tidewell Probe");
    ASSERT_TRUE(task);
    std::vector<std::uint32_t> types{99};
    if (task->triggerTypes(types) != ErrorSuccess)
        return;
    for (auto type : types)
        EXPECT_LE(type, 11u);
}

TEST_F(TasksContract, SubFoldersOfTheRootAreNamesWithoutBackslashes)
{
    std::unique_ptr<TaskFolder> root;
    ASSERT_EQ(machine().tasks.folder(L"\\", root), ErrorSuccess);
    std::vector<std::wstring> names;
    if (root->subFolders(names) != ErrorSuccess)
        return;
    for (const auto& name : names) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find(L'\\'), std::wstring::npos) << toUtf8(name);
    }
}

} // namespace
