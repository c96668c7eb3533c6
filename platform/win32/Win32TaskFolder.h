#pragma once

#include "platform/Tasks.h"
#include "platform/win32/ComPtr.h"

#include <taskschd.h>

namespace platform::win32 {

// An ITaskFolder.
class Win32TaskFolder : public TaskFolder {
public:
    explicit Win32TaskFolder(ComPtr<ITaskFolder> folder);

    Status task(const std::wstring& name, std::unique_ptr<ScheduledTask>& task) override;
    Status tasks(bool includeHidden, std::vector<std::unique_ptr<ScheduledTask>>& tasks) override;
    Status subFolders(std::vector<std::wstring>& names) override;

private:
    ComPtr<ITaskFolder> folder_;
};

} // namespace platform::win32
