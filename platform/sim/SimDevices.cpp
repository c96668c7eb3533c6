#include "platform/sim/SimDevices.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"

#include <cwctype>

namespace platform::sim {

namespace {

constexpr std::uint32_t kPrinterEnumIcon8 = 0x00800000;

const nlohmann::json& arrayOf(const nlohmann::json& document, const char* name)
{
    static const nlohmann::json empty = nlohmann::json::array();
    auto it = document.find(name);
    return it != document.end() && it->is_array() ? *it : empty;
}

std::wstring textOf(const nlohmann::json& entry, const char* name)
{
    auto it = entry.find(name);
    return it != entry.end() && it->is_string() ? fromUtf8(it->get<std::string>()) : std::wstring();
}

// "{53D29EF7-377C-4D14-864B-EB3A85769359}": what IIDFromString accepts.
bool isGuid(const std::wstring& text)
{
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}')
        return false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != L'-' : !std::iswxdigit(static_cast<std::wint_t>(text[i])))
            return false;
    }
    return true;
}

} // namespace

const wchar_t* const SimDevices::kNetworkClassKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";

SimDevices::SimDevices(SimMachine& machine, Registry& registry)
    : machine_(machine)
    , registry_(registry)
{
}

Status SimDevices::adapters(std::vector<NetworkAdapter>& adapters)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    adapters.clear();
    for (const auto& entry : arrayOf(machine_.document(), "adapters")) {
        if (!entry.is_object() || !memberOr(entry, "present", true) || !memberOr(entry, "ipv4", true))
            continue;
        adapters.push_back({textOf(entry, "name"), textOf(entry, "description")});
    }
    return ErrorSuccess;
}

bool SimDevices::isPresentAdapter(const std::wstring& name) const
{
    for (const auto& entry : arrayOf(machine_.document(), "adapters")) {
        if (entry.is_object() && memberOr(entry, "present", true) && equalsIgnoreCase(textOf(entry, "name"), name))
            return true;
    }
    return false;
}

std::wstring SimDevices::driverKeyPath(const std::wstring& name)
{
    std::unique_ptr<RegistryKey> classKey;
    if (registry_.openKey(Hive::LocalMachine, kNetworkClassKey, RegAccess::Read, RegView::Native64, classKey) !=
        ErrorSuccess)
        return {};
    std::wstring subKey;
    for (std::uint32_t index = 0; classKey->enumKey(index, subKey) == ErrorSuccess; ++index) {
        std::wstring path = std::wstring(kNetworkClassKey) + L"\\" + subKey;
        std::unique_ptr<RegistryKey> driverKey;
        if (registry_.openKey(Hive::LocalMachine, path, RegAccess::Read, RegView::Native64, driverKey) != ErrorSuccess)
            continue;
        RegValue id;
        if (driverKey->queryValue(L"NetCfgInstanceId", id) == ErrorSuccess && equalsIgnoreCase(id.asString(), name))
            return path;
    }
    return {};
}

Status SimDevices::openAdapterDriverKey(const std::wstring& adapterName, std::unique_ptr<RegistryKey>& key)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    if (!isPresentAdapter(adapterName))
        return ErrorNotFound;
    std::wstring path = driverKeyPath(adapterName);
    if (path.empty())
        return ErrorNotFound;
    return registry_.openKey(Hive::LocalMachine, path, RegAccess::ReadWrite, RegView::Native64, key);
}

Status SimDevices::presentNetworkDevices(std::vector<std::wstring>& netCfgInstanceIds)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    netCfgInstanceIds.clear();
    for (const auto& entry : arrayOf(machine_.document(), "adapters")) {
        if (!entry.is_object() || !memberOr(entry, "present", true))
            continue;
        std::wstring name = textOf(entry, "name");
        if (!driverKeyPath(name).empty())
            netCfgInstanceIds.push_back(name);
    }
    return ErrorSuccess;
}

Status SimDevices::presentDevicesOfClass(const std::wstring& classGuid, std::vector<std::wstring>& instanceIds)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    instanceIds.clear();
    if (!isGuid(classGuid))
        return ErrorInvalidParameter;
    for (const auto& entry : arrayOf(machine_.document(), "devices")) {
        if (entry.is_object() && memberOr(entry, "present", true) && equalsIgnoreCase(textOf(entry, "class"), classGuid))
            instanceIds.push_back(textOf(entry, "instanceId"));
    }
    return ErrorSuccess;
}

Status SimDevices::printers(std::vector<PrinterInfo>& printers)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    printers.clear();
    const auto& document = machine_.document();
    if (document.contains("printerError") && document["printerError"].is_number_unsigned())
        return document["printerError"].get<Status>();
    for (const auto& entry : arrayOf(document, "printers")) {
        if (!entry.is_object())
            continue;
        PrinterInfo printer;
        printer.name = textOf(entry, "name");
        printer.comment = textOf(entry, "comment");
        printer.description = textOf(entry, "description");
        if (printer.description.empty())
            printer.description = printer.name + L"," + textOf(entry, "driver") + L"," + textOf(entry, "location");
        printer.flags = memberOr(entry, "flags", kPrinterEnumIcon8);
        printers.push_back(printer);
    }
    return ErrorSuccess;
}

const nlohmann::json* SimDevices::diskProperty(const std::wstring& drive, const char* name, Status& status) const
{
    status = ErrorInvalidParameter;
    if (drive.empty() || !std::iswalpha(static_cast<std::wint_t>(drive[0])))
        return nullptr;
    const std::wstring letter = drive.substr(0, 1);
    std::error_code ec;
    status = ErrorFileNotFound;
    if (!std::filesystem::is_directory(machine_.hostPath(letter + L":\\"), ec))
        return nullptr;
    status = ErrorNotSupported;
    const auto& document = machine_.document();
    auto disks = document.find("disks");
    if (disks == document.end() || !disks->is_object())
        return nullptr;
    for (auto it = disks->begin(); it != disks->end(); ++it) {
        if (!equalsIgnoreCase(fromUtf8(it.key()).substr(0, 1), letter) || !it.value().is_object())
            continue;
        auto property = it.value().find(name);
        if (property == it.value().end())
            continue;
        status = ErrorSuccess;
        return &*property;
    }
    return nullptr;
}

Status SimDevices::seekPenalty(const std::wstring& drive, bool& incursSeekPenalty)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    Status status = ErrorSuccess;
    const nlohmann::json* property = diskProperty(drive, "seekPenalty", status);
    if (!property)
        return status;
    if (!property->is_boolean())
        return ErrorNotSupported;
    incursSeekPenalty = property->get<bool>();
    return ErrorSuccess;
}

Status SimDevices::trimEnabled(const std::wstring& drive, bool& enabled)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    Status status = ErrorSuccess;
    const nlohmann::json* property = diskProperty(drive, "trim", status);
    if (!property)
        return status;
    if (!property->is_boolean())
        return ErrorNotSupported;
    enabled = property->get<bool>();
    return ErrorSuccess;
}

Status SimDevices::rotationRate(const std::wstring& drive, std::uint16_t& rate)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    Status status = ErrorSuccess;
    const nlohmann::json* property = diskProperty(drive, "rotationRate", status);
    if (!property)
        return status;
    if (!property->is_number_unsigned() || property->get<std::uint64_t>() > 0xFFFF)
        return ErrorNotSupported;
    rate = property->get<std::uint16_t>();
    return ErrorSuccess;
}

} // namespace platform::sim
