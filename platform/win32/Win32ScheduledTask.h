#pragma once

#include "platform/Tasks.h"
#include "platform/win32/ComPtr.h"

#include <taskschd.h>

namespace platform::win32 {

// A task registered with the Task Scheduler (IRegisteredTask).
class Win32ScheduledTask : public ScheduledTask {
public:
    explicit Win32ScheduledTask(ComPtr<IRegisteredTask> task);

    std::wstring name() const override { return name_; }
    std::wstring path() const override { return path_; }
    Status enabled(bool& enabled) override;
    Status setEnabled(bool enabled) override;
    Status triggerTypes(std::vector<std::uint32_t>& types) override;

private:
    ComPtr<IRegisteredTask> task_;
    std::wstring name_;
    std::wstring path_;
};

} // namespace platform::win32
