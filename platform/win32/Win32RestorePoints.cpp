#include "platform/win32/Win32RestorePoints.h"

#include "platform/win32/Bstr.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/HresultStatus.h"
#include "platform/win32/SystemLibrary.h"

#include <wbemidl.h>

namespace platform::win32 {

namespace {

// A VARIANT cleared when it goes out of scope.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value_); }
    VARIANT* get() { return &value_; }

private:
    VARIANT value_;
};

std::wstring textProperty(IWbemClassObject& object, const wchar_t* name)
{
    Variant value;
    if (FAILED(object.Get(name, 0, value.get(), nullptr, nullptr)) || value.get()->vt != VT_BSTR)
        return {};
    return std::wstring(value.get()->bstrVal, SysStringLen(value.get()->bstrVal));
}

// SequenceNumber is a uint32, which WMI hands over as VT_I4.
bool sequenceProperty(IWbemClassObject& object, std::uint32_t& sequence)
{
    Variant value;
    if (FAILED(object.Get(L"SequenceNumber", 0, value.get(), nullptr, nullptr)))
        return false;
    if (value.get()->vt == VT_I4 || value.get()->vt == VT_UI4) {
        sequence = value.get()->ulVal;
        return true;
    }
    return false;
}

// A service that hangs must not hang the caller: each call waits this long, the whole listing at most so.
constexpr long callWaitMs = 5000;
constexpr ULONGLONG listingWaitMs = 30000;

// The proxy of an out-of-process WMI object needs the caller's identity to act; without it the calls
// fail with access denied, so a failure here is the answer.
HRESULT allowImpersonation(IUnknown* proxy)
{
    return CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                             RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

Status connectDefaultNamespace(ComPtr<IWbemServices>& services)
{
    ComPtr<IWbemLocator> locator;
    HRESULT result = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                      locator.putVoid());
    if (FAILED(result))
        return statusFromHresult(result);
    Bstr space(L"ROOT\\DEFAULT");
    result = locator->ConnectServer(space.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.put());
    if (FAILED(result))
        return statusFromHresult(result);
    return statusFromHresult(allowImpersonation(services.get()));
}

bool readPoint(IWbemClassObject& object, RestorePoint& point)
{
    if (!sequenceProperty(object, point.sequenceNumber))
        return false;
    point.description = textProperty(object, L"Description");
    point.creationTime = textProperty(object, L"CreationTime");
    return true;
}

} // namespace

Status listRestorePoints(std::vector<RestorePoint>& points)
{
    points.clear();
    ComApartment::enter();
    ComPtr<IWbemServices> services;
    if (Status status = connectDefaultNamespace(services); status != ErrorSuccess)
        return status;
    Bstr language(L"WQL");
    Bstr query(L"SELECT SequenceNumber, Description, CreationTime FROM SystemRestore");
    ComPtr<IEnumWbemClassObject> instances;
    HRESULT result = services->ExecQuery(language.get(), query.get(),
                                         WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                         instances.put());
    if (FAILED(result))
        return statusFromHresult(result);
    if (result = allowImpersonation(instances.get()); FAILED(result))
        return statusFromHresult(result);
    // WBEM_S_TIMEDOUT with nothing returned is a call that ran out of time, not the end of the list
    // (WBEM_S_FALSE): the list is then incomplete and is not handed on as if it were whole.
    const ULONGLONG deadline = GetTickCount64() + listingWaitMs;
    for (;;) {
        if (GetTickCount64() >= deadline)
            return WaitTimeout;
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        result = instances->Next(callWaitMs, 1, object.put(), &returned);
        if (FAILED(result))
            return statusFromHresult(result);
        if (result == WBEM_S_TIMEDOUT && returned == 0)
            return WaitTimeout;
        if (returned == 0)
            return ErrorSuccess;
        RestorePoint point;
        if (readPoint(*object.get(), point))
            points.push_back(point);
    }
}

Status removeRestorePoint(std::uint32_t sequenceNumber)
{
    using RemoveFunction = DWORD(WINAPI*)(DWORD);
    HMODULE library = loadSystemLibrary(L"srclient.dll");
    if (!library)
        return static_cast<Status>(GetLastError());
    auto remove = reinterpret_cast<RemoveFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "SRRemoveRestorePoint")));
    const Status status = remove ? static_cast<Status>(remove(sequenceNumber)) : ErrorNotFound;
    FreeLibrary(library);
    return status;
}

} // namespace platform::win32
