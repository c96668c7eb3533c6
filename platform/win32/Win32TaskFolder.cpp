#include "platform/win32/Win32TaskFolder.h"

#include "platform/win32/Bstr.h"
#include "platform/win32/HresultStatus.h"
#include "platform/win32/Win32ScheduledTask.h"

namespace platform::win32 {

namespace {

// Task Scheduler collections count from 1.
VARIANT itemIndex(LONG index)
{
    VARIANT item;
    VariantInit(&item);
    item.vt = VT_I4;
    item.lVal = index;
    return item;
}

} // namespace

Win32TaskFolder::Win32TaskFolder(ComPtr<ITaskFolder> folder)
    : folder_(std::move(folder))
{
}

Status Win32TaskFolder::task(const std::wstring& name, std::unique_ptr<ScheduledTask>& task)
{
    task.reset();
    ComPtr<IRegisteredTask> registered;
    const Bstr taskName(name);
    const HRESULT result = folder_->GetTask(taskName.get(), registered.put());
    if (FAILED(result))
        return statusFromHresult(result);
    task = std::make_unique<Win32ScheduledTask>(std::move(registered));
    return ErrorSuccess;
}

Status Win32TaskFolder::tasks(bool includeHidden, std::vector<std::unique_ptr<ScheduledTask>>& tasks)
{
    tasks.clear();
    ComPtr<IRegisteredTaskCollection> collection;
    HRESULT result = folder_->GetTasks(includeHidden ? TASK_ENUM_HIDDEN : 0, collection.put());
    if (FAILED(result))
        return statusFromHresult(result);
    LONG count = 0;
    result = collection->get_Count(&count);
    if (FAILED(result))
        return statusFromHresult(result);
    for (LONG index = 1; index <= count; ++index) {
        ComPtr<IRegisteredTask> registered;
        result = collection->get_Item(itemIndex(index), registered.put());
        if (FAILED(result))
            return statusFromHresult(result);
        tasks.push_back(std::make_unique<Win32ScheduledTask>(std::move(registered)));
    }
    return ErrorSuccess;
}

Status Win32TaskFolder::subFolders(std::vector<std::wstring>& names)
{
    names.clear();
    ComPtr<ITaskFolderCollection> collection;
    HRESULT result = folder_->GetFolders(0, collection.put());
    if (FAILED(result))
        return statusFromHresult(result);
    LONG count = 0;
    result = collection->get_Count(&count);
    if (FAILED(result))
        return statusFromHresult(result);
    for (LONG index = 1; index <= count; ++index) {
        ComPtr<ITaskFolder> folder;
        result = collection->get_Item(itemIndex(index), folder.put());
        if (FAILED(result))
            return statusFromHresult(result);
        Bstr name;
        result = folder->get_Name(name.put());
        if (FAILED(result))
            return statusFromHresult(result);
        names.push_back(name.text());
    }
    return ErrorSuccess;
}

} // namespace platform::win32
