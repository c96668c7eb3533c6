#include "platform/win32/InheritedHandles.h"

namespace platform::win32 {

InheritedHandles::InheritedHandles(std::vector<HANDLE> handles)
    : handles_(std::move(handles))
{
}

InheritedHandles::~InheritedHandles()
{
    if (initialised_)
        DeleteProcThreadAttributeList(list());
}

DWORD InheritedHandles::prepare()
{
    SIZE_T bytes = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &bytes);
    if (bytes == 0)
        return GetLastError();
    storage_.assign(bytes, 0);
    if (!InitializeProcThreadAttributeList(list(), 1, 0, &bytes))
        return GetLastError();
    initialised_ = true;
    if (!UpdateProcThreadAttribute(list(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                   handles_.size() * sizeof(HANDLE), nullptr, nullptr))
        return GetLastError();
    return ERROR_SUCCESS;
}

} // namespace platform::win32
