#include "platform/win32/Win32Tasks.h"

#include "platform/win32/Bstr.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/HresultStatus.h"
#include "platform/win32/Win32TaskFolder.h"

namespace platform::win32 {

namespace {

// "\Microsoft\Windows\" and "\Microsoft\Windows" name the same folder; the scheduler wants the latter.
std::wstring folderPath(std::wstring path)
{
    while (path.size() > 1 && path.back() == L'\\')
        path.pop_back();
    return path.empty() ? L"\\" : path;
}

// Windows answers a missing folder with ERROR_FILE_NOT_FOUND, Wine with ERROR_PATH_NOT_FOUND: callers
// get the one code the interface promises.
Status missingFolderAsNotFound(Status status)
{
    return status == ErrorPathNotFound ? ErrorFileNotFound : status;
}

// A scheduler service that is only starting refuses the connection (Wine starts it on demand and may
// need several tries); a few more attempts find it running.
HRESULT connect(ITaskService* service)
{
    constexpr int attempts = 4;
    VARIANT empty;
    VariantInit(&empty);
    HRESULT result = SCHED_E_SERVICE_NOT_RUNNING;
    for (int attempt = 0; attempt < attempts && result == SCHED_E_SERVICE_NOT_RUNNING; ++attempt)
        result = service->Connect(empty, empty, empty, empty);
    return result;
}

} // namespace

Status Win32Tasks::folder(const std::wstring& path, std::unique_ptr<TaskFolder>& folder)
{
    folder.reset();
    ComApartment::enter();
    ComPtr<ITaskService> service;
    HRESULT result = CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                      service.putVoid());
    if (FAILED(result))
        return statusFromHresult(result);
    result = connect(service.get());
    if (FAILED(result))
        return statusFromHresult(result);
    ComPtr<ITaskFolder> opened;
    const Bstr name(folderPath(path));
    result = service->GetFolder(name.get(), opened.put());
    if (FAILED(result))
        return missingFolderAsNotFound(statusFromHresult(result));
    folder = std::make_unique<Win32TaskFolder>(std::move(opened));
    return ErrorSuccess;
}

} // namespace platform::win32
