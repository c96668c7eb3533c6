#include "platform/sim/MachineChange.h"

#include "platform/Text.h"

#include <algorithm>
#include <vector>

namespace platform::sim {

namespace {

using json = nlohmann::json;

// A key path without empty parts: a doubled or a trailing backslash names the same key.
std::string tidy(const std::string& path)
{
    std::string result;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            result += (result.empty() ? "" : "\\") + path.substr(start, end - start);
        start = end + 1;
    }
    return result;
}

// A key path in the one spelling used for comparing.
std::wstring keyOf(const std::string& path)
{
    return lower(fromUtf8(tidy(path)));
}

// The members of the registry section that name `key`, whatever their spelling.
std::vector<json*> membersOf(json& section, const std::string& key)
{
    const std::wstring wanted = keyOf(key);
    std::vector<json*> members;
    for (auto it = section.begin(); it != section.end(); ++it) {
        if (it.value().is_object() && keyOf(it.key()) == wanted)
            members.push_back(&it.value());
    }
    return members;
}

void eraseValue(json& values, const std::string& name)
{
    const std::wstring wanted = lower(fromUtf8(name));
    std::vector<std::string> names;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.key().rfind('@', 0) != 0 && lower(fromUtf8(it.key())) == wanted)
            names.push_back(it.key());
    }
    for (const auto& stored : names)
        values.erase(stored);
}

void ensureKey(json& section, const std::string& key)
{
    if (membersOf(section, key).empty())
        section[key] = json::object();
}

void deleteKey(json& section, const std::string& key)
{
    const std::wstring wanted = keyOf(key);
    std::vector<std::string> names;
    for (auto it = section.begin(); it != section.end(); ++it) {
        if (keyOf(it.key()) == wanted)
            names.push_back(it.key());
    }
    for (const auto& name : names)
        section.erase(name);
    // The parent stays, as it does in the registry, also when no member of the file named it.
    const std::string path = tidy(key);
    const std::string parent = path.substr(0, path.rfind('\\'));
    if (parent.find('\\') != std::string::npos)
        ensureKey(section, parent);
}

bool applyRegistry(json& document, const json& change)
{
    const std::string what = change["registry"].get<std::string>();
    const std::string key = change.at("key").get<std::string>();
    json& section = document["registry"];
    if (!section.is_object())
        section = json::object();
    if (what == "key") {
        ensureKey(section, key);
        return true;
    }
    if (what == "deleteKey") {
        deleteKey(section, key);
        return true;
    }
    const std::string name = change.at("name").get<std::string>();
    if (what != "set" && what != "delete")
        return false;
    for (json* values : membersOf(section, key))
        eraseValue(*values, name);
    if (what == "set") {
        auto members = membersOf(section, key);
        json& values = members.empty() ? section[key] : *members.front();
        values[name] = change.at("value");
    }
    return true;
}

} // namespace

bool applyMachineChange(json& document, const json& change)
{
    try {
        if (change.contains("registry") && change["registry"].is_string())
            return applyRegistry(document, change);
        if (!change.contains("set") || !change.contains("value"))
            return false;
        document[json::json_pointer(change["set"].get<std::string>())] = change["value"];
        return true;
    } catch (const json::exception&) {
        return false;
    }
}

} // namespace platform::sim
