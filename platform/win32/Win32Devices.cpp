// The adapter list of iphlpapi needs the Winsock 2 types, which must come before windows.h.
#include <winsock2.h>

#include "platform/win32/Win32Devices.h"

#include "platform/Text.h"
#include "platform/win32/NetworkDeviceList.h"
#include "platform/win32/Win32Buffer.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32RegistryKey.h"

#include <iphlpapi.h>
#include <objbase.h>
#include <setupapi.h>
#include <windows.h>
#include <winioctl.h>
#include <winspool.h>

// After windows.h, whose types it uses without including it.
#include <ntddscsi.h>

#include <cstddef>

namespace platform::win32 {

namespace {

constexpr DWORD bufferLimit = 16u << 20;

std::wstring fromAnsi(const char* text)
{
    const int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (chars <= 1)
        return {};
    std::wstring out(chars - 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), chars);
    return out;
}

struct DeviceListDestroyer {
    void operator()(void* list) const { SetupDiDestroyDeviceInfoList(list); }
};

// SetupDiGetDeviceInstanceIdW, size query first; empty when it fails.
std::wstring instanceIdOf(HDEVINFO devices, SP_DEVINFO_DATA& device)
{
    DWORD needed = 0;
    SetupDiGetDeviceInstanceIdW(devices, &device, nullptr, 0, &needed);
    if (needed == 0)
        return {};
    std::wstring id(needed, L'\0');
    if (!SetupDiGetDeviceInstanceIdW(devices, &device, id.data(), needed, nullptr))
        return {};
    id.resize(wcslen(id.c_str()));
    return id;
}

std::wstring orEmpty(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

// IOCTL_STORAGE_QUERY_PROPERTY (PropertyStandardQuery) of one property of the device holding `drive`.
Status storageProperty(const std::wstring& drive, STORAGE_PROPERTY_ID property, void* answer, DWORD size)
{
    const std::wstring volume = L"\\\\.\\" + drive;
    const UniqueHandle device = ownHandle(CreateFileW(volume.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device)
        return static_cast<Status>(GetLastError());
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = property;
    query.QueryType = PropertyStandardQuery;
    DWORD returned = 0;
    if (!DeviceIoControl(device.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), answer, size, &returned,
                         nullptr))
        return static_cast<Status>(GetLastError());
    return returned < size ? ErrorNotSupported : ErrorSuccess;
}

// ATA IDENTIFY DEVICE through the pass-through: 512 bytes of identify data after the request.
struct IdentifyRequest {
    ATA_PASS_THROUGH_EX header;
    std::uint16_t identify[256];
};

constexpr UCHAR kIdentifyDevice = 0xEC;
constexpr int kRotationRateWord = 217;
constexpr ULONG kIdentifyTimeoutSeconds = 3;

Status identifyRotationRate(HANDLE disk, std::uint16_t& rate)
{
    IdentifyRequest request{};
    request.header.Length = sizeof(request.header);
    request.header.AtaFlags = ATA_FLAGS_DATA_IN | ATA_FLAGS_DRDY_REQUIRED;
    request.header.DataTransferLength = sizeof(request.identify);
    request.header.TimeOutValue = kIdentifyTimeoutSeconds;
    request.header.DataBufferOffset = offsetof(IdentifyRequest, identify);
    request.header.CurrentTaskFile[6] = kIdentifyDevice;
    DWORD returned = 0;
    if (!DeviceIoControl(disk, IOCTL_ATA_PASS_THROUGH, &request, sizeof(request), &request, sizeof(request),
                         &returned, nullptr))
        return static_cast<Status>(GetLastError());
    // The status register: bit 0 says the device aborted the command.
    if (returned < sizeof(request) || (request.header.CurrentTaskFile[6] & 0x01) != 0)
        return ErrorNotSupported;
    rate = request.identify[kRotationRateWord];
    return ErrorSuccess;
}

} // namespace

Status Win32Devices::adapters(std::vector<NetworkAdapter>& adapters)
{
    adapters.clear();
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    constexpr ULONG flags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                            GAA_FLAG_SKIP_DNS_SERVER;
    const Status status = queryThenFill(buffer, bufferLimit, needed, [](BYTE* bytes, DWORD& size) {
        ULONG length = size;
        const ULONG result =
            GetAdaptersAddresses(AF_INET, flags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(bytes), &length);
        size = length;
        return static_cast<Status>(result);
    });
    if (status == ERROR_NO_DATA)
        return ErrorSuccess;
    if (status != ErrorSuccess)
        return status;
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter && !buffer.empty();
         adapter = adapter->Next) {
        if (adapter->IfType != IF_TYPE_SOFTWARE_LOOPBACK)
            adapters.push_back({fromAnsi(adapter->AdapterName), orEmpty(adapter->Description)});
    }
    return ErrorSuccess;
}

Status Win32Devices::openAdapterDriverKey(const std::wstring& adapterName, std::unique_ptr<RegistryKey>& key)
{
    key.reset();
    const auto match = [&](UniqueKey& driverKey, const std::wstring& id) {
        if (!equalsIgnoreCase(id, adapterName))
            return true;
        key = std::make_unique<Win32RegistryKey>(std::move(driverKey));
        return false;
    };
    const Status status = forEachNetworkDevice(KEY_READ | KEY_SET_VALUE, match);
    if (status != ErrorSuccess)
        return status;
    return key ? ErrorSuccess : ErrorNotFound;
}

Status Win32Devices::presentNetworkDevices(std::vector<std::wstring>& netCfgInstanceIds)
{
    netCfgInstanceIds.clear();
    return forEachNetworkDevice(KEY_READ, [&](UniqueKey&, const std::wstring& id) {
        netCfgInstanceIds.push_back(id);
        return true;
    });
}

Status Win32Devices::presentDevicesOfClass(const std::wstring& classGuid, std::vector<std::wstring>& instanceIds)
{
    instanceIds.clear();
    GUID setupClass{};
    if (FAILED(IIDFromString(classGuid.c_str(), &setupClass)))
        return ErrorInvalidParameter;
    HDEVINFO devices = SetupDiGetClassDevsW(&setupClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return static_cast<Status>(GetLastError());
    const std::unique_ptr<void, DeviceListDestroyer> owner(devices);
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        if (!SetupDiEnumDeviceInfo(devices, index, &device)) {
            const DWORD error = GetLastError();
            return error == ERROR_NO_MORE_ITEMS ? ErrorSuccess : static_cast<Status>(error);
        }
        const std::wstring id = instanceIdOf(devices, device);
        if (!id.empty())
            instanceIds.push_back(id);
    }
}

Status Win32Devices::printers(std::vector<PrinterInfo>& printers)
{
    printers.clear();
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    DWORD returned = 0;
    const Status status = queryThenFill(buffer, bufferLimit, needed, [&](BYTE* bytes, DWORD& size) {
        DWORD wanted = 0;
        const BOOL ok = EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 1, bytes, size,
                                      &wanted, &returned);
        size = wanted;
        return ok ? ErrorSuccess : static_cast<Status>(GetLastError());
    });
    if (status != ErrorSuccess)
        return status;
    const auto* entries = reinterpret_cast<const PRINTER_INFO_1W*>(buffer.data());
    for (DWORD i = 0; entries && i < returned; ++i)
        printers.push_back({entries[i].Flags, orEmpty(entries[i].pDescription), orEmpty(entries[i].pName),
                            orEmpty(entries[i].pComment)});
    return ErrorSuccess;
}

Status Win32Devices::seekPenalty(const std::wstring& drive, bool& incursSeekPenalty)
{
    DEVICE_SEEK_PENALTY_DESCRIPTOR answer{};
    const Status status = storageProperty(drive, StorageDeviceSeekPenaltyProperty, &answer, sizeof(answer));
    if (status == ErrorSuccess)
        incursSeekPenalty = answer.IncursSeekPenalty != FALSE;
    return status;
}

Status Win32Devices::trimEnabled(const std::wstring& drive, bool& enabled)
{
    DEVICE_TRIM_DESCRIPTOR answer{};
    const Status status = storageProperty(drive, StorageDeviceTrimProperty, &answer, sizeof(answer));
    if (status == ErrorSuccess)
        enabled = answer.TrimEnabled != FALSE;
    return status;
}

Status Win32Devices::rotationRate(const std::wstring& drive, std::uint16_t& rate)
{
    const std::wstring volume = L"\\\\.\\" + drive;
    const UniqueHandle volumeHandle = ownHandle(CreateFileW(volume.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                            nullptr, OPEN_EXISTING, 0, nullptr));
    if (!volumeHandle)
        return static_cast<Status>(GetLastError());
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!DeviceIoControl(volumeHandle.get(), IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof(number),
                         &returned, nullptr))
        return static_cast<Status>(GetLastError());
    // The pass-through goes to the disk itself and needs read and write access to it.
    const std::wstring disk = L"\\\\.\\PhysicalDrive" + std::to_wstring(number.DeviceNumber);
    const UniqueHandle diskHandle =
        ownHandle(CreateFileW(disk.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
    if (!diskHandle)
        return static_cast<Status>(GetLastError());
    return identifyRotationRate(diskHandle.get(), rate);
}

} // namespace platform::win32
