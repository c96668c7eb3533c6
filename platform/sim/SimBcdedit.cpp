#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimMaintenanceTools.h"

#include <fstream>

namespace platform::sim {

namespace {

const char* const kDone = "The operation completed successfully.\r\n";

ToolOutcome failure(const std::string& text)
{
    return {1, text};
}

nlohmann::json& bootSection(SimMachine& machine)
{
    auto& boot = machine.document()["boot"];
    if (!boot.is_object())
        boot = nlohmann::json::object();
    if (!boot.contains("entries") || !boot["entries"].is_object())
        boot["entries"] = nlohmann::json::object();
    return boot;
}

ToolOutcome exportStore(SimMachine& machine, const std::wstring& file)
{
    auto host = machine.hostPath(file);
    std::error_code ec;
    if (host.empty() || !std::filesystem::is_directory(host.parent_path(), ec))
        return failure("An error occurred while attempting to reference the specified file.\r\n"
                       "The system cannot find the path specified.\r\n");
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << bootSection(machine).dump(2) << '\n';
    if (!out)
        return failure("The export operation has failed.\r\nAccess is denied.\r\n");
    machine.journal("boot store exported to " + toUtf8(file));
    return {0, kDone};
}

// on/off/yes/no/true/false become booleans; anything else stays text.
nlohmann::json elementValue(const std::wstring& text)
{
    std::wstring lowered = lower(text);
    if (lowered == L"on" || lowered == L"yes" || lowered == L"true" || lowered == L"1")
        return true;
    if (lowered == L"off" || lowered == L"no" || lowered == L"false" || lowered == L"0")
        return false;
    return toUtf8(text);
}

ToolOutcome setElement(SimMachine& machine, const std::wstring& id, const std::wstring& element,
                       const std::wstring& value)
{
    auto& entries = bootSection(machine)["entries"];
    std::string key = toUtf8(lower(id));
    bool alwaysThere = key == "{current}" || key == "{default}";
    if (!entries.contains(key) && !alwaysThere)
        return failure("The boot configuration data store could not be opened.\r\n"
                       "The system cannot find the file specified.\r\n");
    auto& entry = entries[key];
    if (!entry.is_object())
        entry = nlohmann::json::object();
    entry[toUtf8(lower(element))] = elementValue(value);
    machine.journal("boot " + key + " " + toUtf8(lower(element)) + " = " + toUtf8(value));
    machine.keep(nlohmann::json::json_pointer("/boot"));
    return {0, kDone};
}

ToolOutcome setTimeout(SimMachine& machine, const std::wstring& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return failure("The integer data is not valid as specified.\r\nRun \"bcdedit /?\" for command line "
                       "assistance.\r\nThe parameter is incorrect.\r\n");
    bootSection(machine)["timeout"] = std::stoul(text);
    machine.journal("boot timeout = " + toUtf8(text));
    machine.keep(nlohmann::json::json_pointer("/boot"));
    return {0, kDone};
}

// One block for a loader entry, in bcdedit's layout: a heading underlined with dashes, then the elements.
std::string loaderBlock(const std::string& heading, const std::string& id, const nlohmann::json& entry)
{
    std::string block = "\r\n" + heading + "\r\n" + std::string(heading.size(), '-') + "\r\n";
    block += "identifier              " + id + "\r\n";
    for (auto it = entry.begin(); entry.is_object() && it != entry.end(); ++it) {
        if (it.key() == "type")
            continue;
        std::string value = it->is_string()    ? it->get<std::string>()
                            : it->is_boolean() ? (it->get<bool>() ? "Yes" : "No")
                                               : it->dump();
        block += it.key() + std::string(it.key().size() < 24 ? 24 - it.key().size() : 1, ' ') + value + "\r\n";
    }
    return block;
}

// /enum osloader: {current} and every other entry that is an operating-system loader (no "type", or
// "osloader"); {bootmgr} and the {default} alias are not loaders of their own.
ToolOutcome enumerateLoaders(SimMachine& machine)
{
    auto& boot = bootSection(machine);
    const std::string heading = memberOr(boot, "loaderHeading", "Windows Boot Loader");
    const auto& entries = boot["entries"];
    auto current = entries.find("{current}");
    std::string output =
        loaderBlock(heading, "{current}", current != entries.end() ? *current : nlohmann::json::object());
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const std::string& id = it.key();
        if (id == "{current}" || id == "{default}" || id == "{bootmgr}" || !it->is_object() ||
            memberOr(*it, "type", "osloader") != "osloader")
            continue;
        output += loaderBlock(heading, id, *it);
    }
    return {0, output};
}

// /enum {current} or /enum {bootmgr}: that one entry; the boot manager's block carries the menu timeout.
ToolOutcome enumerateEntry(SimMachine& machine, const std::wstring& id)
{
    auto& boot = bootSection(machine);
    const std::string key = toUtf8(lower(id));
    auto found = boot["entries"].find(key);
    nlohmann::json entry = found != boot["entries"].end() && found->is_object() ? *found : nlohmann::json::object();
    if (key != "{bootmgr}")
        return {0, loaderBlock(memberOr(boot, "loaderHeading", "Windows Boot Loader"), key, entry)};
    if (boot.contains("timeout"))
        entry["timeout"] = boot["timeout"];
    return {0, loaderBlock("Windows Boot Manager", key, entry)};
}

// /deletevalue {id} element; {bootmgr} timeout is the store's menu timeout.
ToolOutcome deleteElement(SimMachine& machine, const std::wstring& id, const std::wstring& element)
{
    auto& boot = bootSection(machine);
    const std::string key = toUtf8(lower(id));
    const std::string name = toUtf8(lower(element));
    auto& entries = boot["entries"];
    const bool timeout = key == "{bootmgr}" && name == "timeout";
    if (!timeout && !entries.contains(key))
        return failure("The boot configuration data store could not be opened.\r\n"
                       "The system cannot find the file specified.\r\n");
    nlohmann::json& owner = timeout ? boot : entries[key];
    if (!owner.is_object() || !owner.contains(name))
        return failure("An error occurred while attempting to delete the specified data element.\r\n"
                       "Element not found.\r\n");
    owner.erase(name);
    machine.journal("boot " + key + " " + name + " deleted");
    machine.keep(nlohmann::json::json_pointer("/boot"));
    return {0, kDone};
}

} // namespace

ToolOutcome runBcdedit(SimMachine& machine, const std::vector<std::wstring>& arguments)
{
    const std::size_t count = arguments.size();
    if (count == 2 && equalsIgnoreCase(arguments[0], L"/export"))
        return exportStore(machine, arguments[1]);
    if (count == 4 && equalsIgnoreCase(arguments[0], L"/set"))
        return setElement(machine, arguments[1], arguments[2], arguments[3]);
    if (count == 2 && equalsIgnoreCase(arguments[0], L"/timeout"))
        return setTimeout(machine, arguments[1]);
    if (count == 2 && equalsIgnoreCase(arguments[0], L"/enum") && equalsIgnoreCase(arguments[1], L"osloader"))
        return enumerateLoaders(machine);
    if (count == 2 && equalsIgnoreCase(arguments[0], L"/enum") &&
        (equalsIgnoreCase(arguments[1], L"{current}") || equalsIgnoreCase(arguments[1], L"{bootmgr}")))
        return enumerateEntry(machine, arguments[1]);
    if (count == 3 && equalsIgnoreCase(arguments[0], L"/deletevalue"))
        return deleteElement(machine, arguments[1], arguments[2]);
    return failure("The parameter is incorrect.\r\nRun \"bcdedit /?\" for command line assistance.\r\n");
}

} // namespace platform::sim
