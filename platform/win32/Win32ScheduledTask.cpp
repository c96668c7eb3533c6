#include "platform/win32/Win32ScheduledTask.h"

#include "platform/win32/Bstr.h"
#include "platform/win32/HresultStatus.h"

namespace platform::win32 {

namespace {

VARIANT emptyVariant()
{
    VARIANT empty;
    VariantInit(&empty);
    return empty;
}

// The account the definition already names, so that registering it again keeps the task's principal.
void principalOf(ITaskDefinition* definition, TASK_LOGON_TYPE& logonType, Bstr& userId)
{
    ComPtr<IPrincipal> principal;
    if (FAILED(definition->get_Principal(principal.put())) || !principal)
        return;
    if (FAILED(principal->get_LogonType(&logonType)))
        logonType = TASK_LOGON_INTERACTIVE_TOKEN;
    principal->get_UserId(userId.put());
}

} // namespace

Win32ScheduledTask::Win32ScheduledTask(ComPtr<ITaskFolder> folder, ComPtr<IRegisteredTask> task)
    : folder_(std::move(folder))
    , task_(std::move(task))
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

// IRegisteredTask::put_Enabled does not last everywhere; a definition registered again does.
Status Win32ScheduledTask::setEnabled(bool enabled)
{
    ComPtr<ITaskDefinition> definition;
    HRESULT result = task_->get_Definition(definition.put());
    if (FAILED(result))
        return statusFromHresult(result);
    ComPtr<ITaskSettings> settings;
    result = definition->get_Settings(settings.put());
    if (FAILED(result))
        return statusFromHresult(result);
    result = settings->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
    if (FAILED(result))
        return statusFromHresult(result);
    TASK_LOGON_TYPE logonType = TASK_LOGON_INTERACTIVE_TOKEN;
    Bstr userId;
    principalOf(definition.get(), logonType, userId);
    VARIANT user = emptyVariant();
    if (userId.get() && SysStringLen(userId.get()) > 0) {
        user.vt = VT_BSTR;
        user.bstrVal = userId.get();
    }
    const Bstr name(name_);
    ComPtr<IRegisteredTask> registered;
    result = folder_->RegisterTaskDefinition(name.get(), definition.get(), TASK_UPDATE, user, emptyVariant(),
                                             logonType, emptyVariant(), registered.put());
    if (FAILED(result))
        return statusFromHresult(result);
    task_ = std::move(registered);
    return ErrorSuccess;
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
