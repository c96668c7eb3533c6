#include "platform/sim/SimTasks.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"

#include <algorithm>

namespace platform::sim {

namespace {

std::wstring textOf(const nlohmann::json& entry, const char* name)
{
    auto it = entry.find(name);
    return it != entry.end() && it->is_string() ? fromUtf8(it->get<std::string>()) : std::wstring();
}

std::wstring parentOf(const std::wstring& path)
{
    auto slash = path.find_last_of(L'\\');
    return slash == 0 || slash == std::wstring::npos ? std::wstring(L"\\") : path.substr(0, slash);
}

std::wstring leafOf(const std::wstring& path)
{
    auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// "\\A\\B" lies in or below "\\A"; everything lies below the root.
bool isBelow(const std::wstring& path, const std::wstring& folder)
{
    if (folder == L"\\")
        return true;
    std::wstring lowered = lower(path);
    std::wstring prefix = lower(folder) + L"\\";
    return lowered == lower(folder) || lowered.compare(0, prefix.size(), prefix) == 0;
}

// Where the task of `path` stands in the "tasks" list; empty when none.
nlohmann::json::json_pointer taskAt(SimMachine& machine, const std::wstring& path)
{
    auto& document = machine.document();
    auto tasks = document.find("tasks");
    if (tasks == document.end() || !tasks->is_array())
        return nlohmann::json::json_pointer();
    for (std::size_t i = 0; i < tasks->size(); ++i) {
        const auto& entry = (*tasks)[i];
        if (entry.is_object() && equalsIgnoreCase(SimTasks::normalisePath(textOf(entry, "path")), path))
            return nlohmann::json::json_pointer("/tasks") / i;
    }
    return nlohmann::json::json_pointer();
}

nlohmann::json* findTask(SimMachine& machine, const std::wstring& path)
{
    const auto at = taskAt(machine, path);
    return at.empty() ? nullptr : &machine.document()[at];
}

// Every folder path named by the profile: the folders of the tasks and the "taskFolders" entries.
std::vector<std::wstring> knownFolders(const nlohmann::json& document)
{
    std::vector<std::wstring> folders;
    if (document.contains("tasks") && document["tasks"].is_array()) {
        for (const auto& entry : document["tasks"]) {
            if (entry.is_object())
                folders.push_back(parentOf(SimTasks::normalisePath(textOf(entry, "path"))));
        }
    }
    if (document.contains("taskFolders") && document["taskFolders"].is_array()) {
        for (const auto& entry : document["taskFolders"]) {
            if (entry.is_string())
                folders.push_back(SimTasks::normalisePath(fromUtf8(entry.get<std::string>())));
        }
    }
    return folders;
}

// A registered task, found again by its path on every call so that it sees the machine as it is now.
class SimScheduledTask : public ScheduledTask {
public:
    SimScheduledTask(SimMachine& machine, std::wstring path)
        : machine_(machine)
        , path_(std::move(path))
    {
    }

    std::wstring name() const override { return leafOf(path_); }
    std::wstring path() const override { return path_; }

    Status enabled(bool& enabled) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        const nlohmann::json* task = findTask(machine_, path_);
        if (!task)
            return ErrorFileNotFound;
        enabled = memberOr(*task, "enabled", true);
        return ErrorSuccess;
    }

    Status setEnabled(bool enabled) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        const auto at = taskAt(machine_, path_);
        if (at.empty())
            return ErrorFileNotFound;
        machine_.document()[at / "enabled"] = enabled;
        machine_.journal(std::string(enabled ? "task enable " : "task disable ") + toUtf8(path_));
        machine_.keep(at / "enabled");
        return ErrorSuccess;
    }

    Status triggerTypes(std::vector<std::uint32_t>& types) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        types.clear();
        const nlohmann::json* task = findTask(machine_, path_);
        if (!task)
            return ErrorFileNotFound;
        if (task->contains("triggerError") && (*task)["triggerError"].is_number_unsigned())
            return (*task)["triggerError"].get<Status>();
        // A task holds at most 48 triggers, so no count in the file can make the list grow without bound.
        constexpr std::uint64_t kMaxTriggers = 48;
        if (task->contains("unreadableTriggers") && (*task)["unreadableTriggers"].is_number_unsigned())
            types.assign(std::min((*task)["unreadableTriggers"].get<std::uint64_t>(), kMaxTriggers),
                         TriggerType::Unreadable);
        auto triggers = task->find("triggers");
        if (triggers == task->end() || !triggers->is_array())
            return ErrorSuccess;
        for (const auto& trigger : *triggers) {
            if (trigger.is_number_unsigned())
                types.push_back(trigger.get<std::uint32_t>());
        }
        return ErrorSuccess;
    }

private:
    SimMachine& machine_;
    std::wstring path_;
};

class SimTaskFolder : public TaskFolder {
public:
    SimTaskFolder(SimMachine& machine, std::wstring path)
        : machine_(machine)
        , path_(std::move(path))
    {
    }

    Status task(const std::wstring& name, std::unique_ptr<ScheduledTask>& task) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        std::wstring path = (path_ == L"\\" ? L"" : path_) + L"\\" + name;
        const nlohmann::json* entry = findTask(machine_, path);
        if (!entry)
            return ErrorFileNotFound;
        task = std::make_unique<SimScheduledTask>(machine_, SimTasks::normalisePath(textOf(*entry, "path")));
        return ErrorSuccess;
    }

    Status tasks(bool includeHidden, std::vector<std::unique_ptr<ScheduledTask>>& tasks) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        tasks.clear();
        const auto& document = machine_.document();
        if (!document.contains("tasks") || !document["tasks"].is_array())
            return ErrorSuccess;
        for (const auto& entry : document["tasks"]) {
            if (!entry.is_object() || (memberOr(entry, "hidden", false) && !includeHidden))
                continue;
            std::wstring path = SimTasks::normalisePath(textOf(entry, "path"));
            if (equalsIgnoreCase(parentOf(path), path_))
                tasks.push_back(std::make_unique<SimScheduledTask>(machine_, path));
        }
        return ErrorSuccess;
    }

    Status subFolders(std::vector<std::wstring>& names) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        names.clear();
        for (const auto& folder : knownFolders(machine_.document())) {
            if (folder == L"\\" || equalsIgnoreCase(folder, path_) || !isBelow(folder, path_))
                continue;
            std::wstring rest = folder.substr(path_ == L"\\" ? 1 : path_.size() + 1);
            std::wstring child = rest.substr(0, rest.find(L'\\'));
            bool known = std::any_of(names.begin(), names.end(),
                                     [&](const std::wstring& name) { return equalsIgnoreCase(name, child); });
            if (!known)
                names.push_back(child);
        }
        return ErrorSuccess;
    }

private:
    SimMachine& machine_;
    std::wstring path_;
};

} // namespace

SimTasks::SimTasks(SimMachine& machine)
    : machine_(machine)
{
}

std::wstring SimTasks::normalisePath(const std::wstring& path)
{
    std::wstring normal;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        if (end > start)
            normal += L"\\" + path.substr(start, end - start);
        start = end + 1;
    }
    return normal.empty() ? std::wstring(L"\\") : normal;
}

Status SimTasks::folder(const std::wstring& path, std::unique_ptr<TaskFolder>& folder)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring normal = normalisePath(path);
    auto folders = knownFolders(machine_.document());
    bool exists = normal == L"\\" || std::any_of(folders.begin(), folders.end(), [&](const std::wstring& known) {
                      return isBelow(known, normal);
                  });
    if (!exists)
        return ErrorFileNotFound;
    folder = std::make_unique<SimTaskFolder>(machine_, normal);
    return ErrorSuccess;
}

} // namespace platform::sim
