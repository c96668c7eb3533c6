#include "platform/win32/ScratchTasks.h"

#include "platform/win32/Bstr.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ComPtr.h"

#include <taskschd.h>

using platform::win32::Bstr;
using platform::win32::ComApartment;
using platform::win32::ComPtr;

namespace {

VARIANT emptyVariant()
{
    VARIANT empty;
    VariantInit(&empty);
    return empty;
}

// Wine starts its scheduler service on demand and refuses connections while it starts.
bool connect(ComPtr<ITaskService>& service)
{
    constexpr int attempts = 4;
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                service.putVoid())))
        return false;
    HRESULT result = SCHED_E_SERVICE_NOT_RUNNING;
    for (int attempt = 0; attempt < attempts && result == SCHED_E_SERVICE_NOT_RUNNING; ++attempt)
        result = service->Connect(emptyVariant(), emptyVariant(), emptyVariant(), emptyVariant());
    return SUCCEEDED(result);
}

bool openOrCreateFolder(ITaskService* service, const std::wstring& path, ComPtr<ITaskFolder>& folder)
{
    const Bstr name(path);
    if (SUCCEEDED(service->GetFolder(name.get(), folder.put())))
        return true;
    ComPtr<ITaskFolder> root;
    const Bstr rootName(L"\\");
    return SUCCEEDED(service->GetFolder(rootName.get(), root.put())) &&
           SUCCEEDED(root->CreateFolder(name.get(), emptyVariant(), folder.put()));
}

bool addAction(ITaskDefinition* definition)
{
    ComPtr<IActionCollection> actions;
    ComPtr<IAction> action;
    ComPtr<IExecAction> exec;
    const Bstr program(L"C:\\windows\\system32\\cmd.exe");
    return SUCCEEDED(definition->get_Actions(actions.put())) &&
           SUCCEEDED(actions->Create(TASK_ACTION_EXEC, action.put())) &&
           SUCCEEDED(action->QueryInterface(IID_IExecAction, exec.putVoid())) &&
           SUCCEEDED(exec->put_Path(program.get()));
}

} // namespace

ScratchTasks::ScratchTasks(std::wstring folderPath)
    : folderPath_(std::move(folderPath))
{
}

ScratchTasks::~ScratchTasks()
{
    removeAll();
}

bool ScratchTasks::add(const std::wstring& name, bool enabled)
{
    ComApartment::enter();
    ComPtr<ITaskService> service;
    ComPtr<ITaskFolder> folder;
    if (!connect(service) || !openOrCreateFolder(service.get(), folderPath_, folder))
        return false;
    ComPtr<ITaskDefinition> definition;
    ComPtr<ITaskSettings> settings;
    if (FAILED(service->NewTask(0, definition.put())) || FAILED(definition->get_Settings(settings.put())) ||
        FAILED(settings->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE)) || !addAction(definition.get()))
        return false;
    const Bstr taskName(name);
    ComPtr<IRegisteredTask> registered;
    if (FAILED(folder->RegisterTaskDefinition(taskName.get(), definition.get(), TASK_CREATE_OR_UPDATE,
                                              emptyVariant(), emptyVariant(), TASK_LOGON_INTERACTIVE_TOKEN,
                                              emptyVariant(), registered.put())))
        return false;
    names_.push_back(name);
    return true;
}

void ScratchTasks::removeAll()
{
    if (names_.empty())
        return;
    ComApartment::enter();
    ComPtr<ITaskService> service;
    if (!connect(service))
        return;
    ComPtr<ITaskFolder> folder;
    const Bstr path(folderPath_);
    if (SUCCEEDED(service->GetFolder(path.get(), folder.put()))) {
        for (const auto& name : names_) {
            const Bstr taskName(name);
            folder->DeleteTask(taskName.get(), 0);
        }
    }
    names_.clear();
    ComPtr<ITaskFolder> root;
    const Bstr rootName(L"\\");
    if (SUCCEEDED(service->GetFolder(rootName.get(), root.put())))
        root->DeleteFolder(path.get(), 0);
}
