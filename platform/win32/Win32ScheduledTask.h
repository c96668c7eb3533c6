#pragma once

#include "platform/Tasks.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ComPtr.h"

#include <taskschd.h>

namespace platform::win32 {

// An IRegisteredTask and the folder it is registered in (needed to register a changed definition).
class Win32ScheduledTask : public ScheduledTask {
public:
    Win32ScheduledTask(ComPtr<ITaskFolder> folder, ComPtr<IRegisteredTask> task);

    std::wstring name() const override { return name_; }
    std::wstring path() const override { return path_; }
    Status enabled(bool& enabled) override;
    Status setEnabled(bool enabled) override;
    Status triggerTypes(std::vector<std::uint32_t>& types) override;

private:
    ComApartment apartment_;
    ComPtr<ITaskFolder> folder_;
    ComPtr<IRegisteredTask> task_;
    std::wstring name_;
    std::wstring path_;
};

} // namespace platform::win32
