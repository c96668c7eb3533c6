#include "platform/win32/Win32ScheduledTask.h"

#include "platform/win32/Bstr.h"
#include "platform/win32/HresultStatus.h"

namespace platform::win32 {

Win32ScheduledTask::Win32ScheduledTask(ComPtr<IRegisteredTask> task)
    : task_(std::move(task))
{
    Bstr name;
    if (SUCCEEDED(task_->get_Name(name.put())))
        name_ = name.text();
    Bstr path;
    if (SUCCEEDED(task_->get_Path(path.put())))
        path_ = path.text();
}

Status Win32ScheduledTask::enabled(bool& enabled)
{
    VARIANT_BOOL value = VARIANT_FALSE;
    const HRESULT result = task_->get_Enabled(&value);
    if (FAILED(result))
        return statusFromHresult(result);
    enabled = value != VARIANT_FALSE;
    return ErrorSuccess;
}

// Switches the registered task itself; the definition Windows keeps for the task is left as it is.
Status Win32ScheduledTask::setEnabled(bool enabled)
{
    const HRESULT result = task_->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
    return FAILED(result) ? statusFromHresult(result) : ErrorSuccess;
}

Status Win32ScheduledTask::triggerTypes(std::vector<std::uint32_t>& types)
{
    types.clear();
    ComPtr<ITaskDefinition> definition;
    HRESULT result = task_->get_Definition(definition.put());
    if (FAILED(result))
        return statusFromHresult(result);
    ComPtr<ITriggerCollection> triggers;
    result = definition->get_Triggers(triggers.put());
    if (FAILED(result))
        return statusFromHresult(result);
    LONG count = 0;
    result = triggers->get_Count(&count);
    if (FAILED(result))
        return statusFromHresult(result);
    for (LONG index = 1; index <= count; ++index) {
        ComPtr<ITrigger> trigger;
        TASK_TRIGGER_TYPE2 type = TASK_TRIGGER_EVENT;
        const bool readable =
            SUCCEEDED(triggers->get_Item(index, trigger.put())) && SUCCEEDED(trigger->get_Type(&type));
        types.push_back(readable ? static_cast<std::uint32_t>(type) : TriggerType::Unreadable);
    }
    return ErrorSuccess;
}

} // namespace platform::win32
