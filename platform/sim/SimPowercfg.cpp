#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimMaintenanceTools.h"

#include <fstream>

namespace platform::sim {

namespace {

const char* const kInvalid = "Invalid Parameters -- try \"/?\" for help\r\n";
constexpr std::uint64_t kDefaultFullSize = 3435973836ull;

const std::pair<const char*, const char*> kWindowsSchemes[] = {
    {"381b4222-f694-41f0-9685-ff5bb260df2e", "Balanced"},
    {"8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c", "High performance"},
    {"a1841308-3541-4fab-bc81-f71556f20b4a", "Power saver"},
};

bool schemeExists(const nlohmann::json& document, const std::wstring& guid)
{
    auto power = document.find("powerSchemes");
    if (power == document.end() || !power->is_object() || !power->contains("schemes")) {
        for (const auto& [known, name] : kWindowsSchemes) {
            if (equalsIgnoreCase(fromUtf8(known), guid))
                return true;
        }
        return false;
    }
    const auto& schemes = (*power)["schemes"];
    for (auto it = schemes.begin(); schemes.is_object() && it != schemes.end(); ++it) {
        if (equalsIgnoreCase(fromUtf8(it.key()), guid))
            return true;
    }
    return false;
}

ToolOutcome setActive(SimMachine& machine, const std::wstring& guid)
{
    auto& document = machine.document();
    if (!schemeExists(document, guid))
        return {1, "Unable to perform operation. An unexpected error (0x65b) has occurred: Function failed "
                   "during execution.\r\n"};
    auto& power = document["powerSchemes"];
    if (!power.is_object())
        power = nlohmann::json::object();
    power["active"] = toUtf8(lower(guid));
    machine.journal("power scheme active = " + toUtf8(lower(guid)));
    machine.keep(nlohmann::json::json_pointer("/powerSchemes/active"));
    return {0, {}};
}

// The active scheme in powercfg's layout: "Power Scheme GUID: <guid>  (<name>)".
ToolOutcome activeScheme(SimMachine& machine)
{
    const auto& document = machine.document();
    auto power = document.find("powerSchemes");
    std::string active = kWindowsSchemes[0].first;
    std::string name = kWindowsSchemes[0].second;
    if (power != document.end() && power->is_object()) {
        active = memberOr(*power, "active", active);
        auto schemes = power->find("schemes");
        if (schemes != power->end() && schemes->is_object() && schemes->contains(active))
            name = memberOr(*schemes, active.c_str(), name);
    }
    return {0, "Power Scheme GUID: " + active + "  (" + name + ")\r\n"};
}

std::filesystem::path hiberFile(const SimMachine& machine)
{
    return machine.hostPath(simSystemDrive(machine) + L"\\hiberfil.sys");
}

nlohmann::json& hibernationSection(SimMachine& machine)
{
    auto& section = machine.document()["hibernation"];
    if (section.is_object())
        return section;
    std::error_code ec;
    auto file = hiberFile(machine);
    bool present = std::filesystem::is_regular_file(file, ec);
    section = {{"enabled", present}, {"type", "full"},
               {"fullSize", present ? std::filesystem::file_size(file, ec) : kDefaultFullSize}};
    return section;
}

std::uint64_t hiberFileSize(const nlohmann::json& section)
{
    std::uint64_t full = memberOr(section, "fullSize", kDefaultFullSize);
    return memberOr(section, "type", std::string("full")) == "reduced" ? full / 2 : full;
}

void writeHiberFile(SimMachine& machine, std::uint64_t size)
{
    auto file = hiberFile(machine);
    std::error_code ec;
    { std::ofstream create(file, std::ios::binary | std::ios::app); }
    std::filesystem::resize_file(file, size, ec);
}

ToolOutcome switchHibernation(SimMachine& machine, const std::wstring& state)
{
    bool on = equalsIgnoreCase(state, L"on");
    if (!on && !equalsIgnoreCase(state, L"off"))
        return {1, kInvalid};
    auto& section = hibernationSection(machine);
    section["enabled"] = on;
    std::string file = toUtf8(simSystemDrive(machine) + L"\\hiberfil.sys");
    std::error_code ec;
    if (on) {
        writeHiberFile(machine, hiberFileSize(section));
        machine.journal("hibernation on, " + file + " is " + std::to_string(hiberFileSize(section)) + " bytes");
    } else {
        std::filesystem::remove(hiberFile(machine), ec);
        machine.journal("hibernation off, " + file + " removed");
    }
    machine.keep(nlohmann::json::json_pointer("/hibernation"));
    return {0, {}};
}

ToolOutcome setHiberFileType(SimMachine& machine, const std::wstring& type)
{
    bool full = equalsIgnoreCase(type, L"full");
    if (!full && !equalsIgnoreCase(type, L"reduced"))
        return {1, kInvalid};
    auto& section = hibernationSection(machine);
    if (!memberOr(section, "enabled", false))
        return {1, "The hiberfile type could not be changed because hibernation is not enabled.\r\n"};
    section["type"] = full ? "full" : "reduced";
    writeHiberFile(machine, hiberFileSize(section));
    machine.journal("hibernation file type = " + std::string(full ? "full" : "reduced"));
    machine.keep(nlohmann::json::json_pointer("/hibernation"));
    return {0, {}};
}

bool isHibernateSwitch(const std::wstring& word)
{
    return equalsIgnoreCase(word, L"/hibernate") || equalsIgnoreCase(word, L"/h") ||
           equalsIgnoreCase(word, L"-hibernate") || equalsIgnoreCase(word, L"-h");
}

} // namespace

std::wstring simSystemDrive(const SimMachine& machine)
{
    const auto& document = machine.document();
    std::string directory = "C:";
    if (document.contains("system") && document["system"].is_object())
        directory = memberOr(document["system"], "systemDirectory", directory);
    return directory.size() >= 2 && directory[1] == ':' ? fromUtf8(directory.substr(0, 2)) : std::wstring(L"C:");
}

ToolOutcome runPowercfg(SimMachine& machine, const std::vector<std::wstring>& arguments)
{
    const std::size_t count = arguments.size();
    if (count == 2 && (equalsIgnoreCase(arguments[0], L"/setactive") || equalsIgnoreCase(arguments[0], L"-setactive")))
        return setActive(machine, arguments[1]);
    if (count == 1 && (equalsIgnoreCase(arguments[0], L"/getactivescheme") ||
                       equalsIgnoreCase(arguments[0], L"-getactivescheme")))
        return activeScheme(machine);
    if (count == 2 && isHibernateSwitch(arguments[0]))
        return switchHibernation(machine, arguments[1]);
    if (count == 3 && isHibernateSwitch(arguments[0]) && equalsIgnoreCase(arguments[1], L"/type"))
        return setHiberFileType(machine, arguments[2]);
    return {1, kInvalid};
}

} // namespace platform::sim
