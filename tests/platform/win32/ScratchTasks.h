#pragma once

#include <string>
#include <vector>

// Registers tasks in the contract tests' scratch Task Scheduler folder through COM directly (not
// through the interface under test) and removes them again. Wine cannot list a folder's tasks, so the
// names registered are remembered for the clean-up.
class ScratchTasks {
public:
    explicit ScratchTasks(std::wstring folderPath);
    ~ScratchTasks();
    ScratchTasks(const ScratchTasks&) = delete;
    ScratchTasks& operator=(const ScratchTasks&) = delete;

    bool add(const std::wstring& name, bool enabled);

private:
    void removeAll();

    std::wstring folderPath_;
    std::vector<std::wstring> names_;
};
