#include "platform/sim/SimRegistry.h"

#include "platform/Text.h"
#include "platform/sim/SimInteractiveUser.h"

#include <cstdio>

namespace platform::sim {

namespace {

constexpr Status ErrorKeyDeleted = 1018;

const std::pair<Hive, const wchar_t*> kHiveNames[] = {
    {Hive::LocalMachine, L"HKLM"},
    {Hive::CurrentUser, L"HKCU"},
    {Hive::Users, L"HKU"},
    {Hive::ClassesRoot, L"HKCR"},
};

std::vector<std::wstring> splitKeyPath(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string hex(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    char buffer[3];
    for (auto byte : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02x", byte);
        text += buffer;
    }
    return text;
}

bool fromHex(const std::string& text, std::vector<std::uint8_t>& bytes)
{
    if (text.size() % 2)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.substr(i, 2).c_str(), "%2x", &value) != 1)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return true;
}

// An open key: a handle on a node, with the access it was opened for.
class SimRegistryKey : public RegistryKey {
public:
    SimRegistryKey(SimMachine& machine, std::shared_ptr<SimRegNode> node, std::wstring path, bool writable)
        : machine_(machine)
        , node_(std::move(node))
        , path_(std::move(path))
        , writable_(writable)
    {
    }

    Status enumKey(std::uint32_t index, std::wstring& name, std::uint32_t maxNameChars) const override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        if (node_->deleted)
            return ErrorKeyDeleted;
        if (index >= node_->children.size())
            return ErrorNoMoreItems;
        auto it = std::next(node_->children.begin(), index);
        if (it->second->name.size() + 1 > maxNameChars)
            return ErrorMoreData;
        name = it->second->name;
        return ErrorSuccess;
    }

    Status enumValue(std::uint32_t index, std::wstring& name, RegValue& value, std::uint32_t maxNameChars,
                     std::uint32_t maxDataBytes, std::uint32_t* requiredBytes) const override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        if (node_->deleted)
            return ErrorKeyDeleted;
        if (index >= node_->values.size())
            return ErrorNoMoreItems;
        const auto& [valueName, stored] = node_->values[index];
        if (requiredBytes)
            *requiredBytes = static_cast<std::uint32_t>(stored.data.size());
        if (valueName.size() + 1 > maxNameChars || stored.data.size() > maxDataBytes)
            return ErrorMoreData;
        name = valueName;
        value = stored;
        return ErrorSuccess;
    }

    Status queryValue(const std::wstring& name, RegValue& value, std::uint32_t maxDataBytes,
                      std::uint32_t* requiredBytes) const override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        if (node_->deleted)
            return ErrorKeyDeleted;
        const RegValue* stored = node_->findValue(name);
        if (!stored)
            return ErrorFileNotFound;
        if (requiredBytes)
            *requiredBytes = static_cast<std::uint32_t>(stored->data.size());
        if (stored->data.size() > maxDataBytes)
            return ErrorMoreData;
        value = *stored;
        return ErrorSuccess;
    }

    Status setValue(const std::wstring& name, const RegValue& value) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        if (node_->deleted)
            return ErrorKeyDeleted;
        if (!writable_)
            return ErrorAccessDenied;
        bool replaced = false;
        for (auto& [valueName, stored] : node_->values) {
            if (equalsIgnoreCase(valueName, name)) {
                stored = value;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            node_->values.emplace_back(name, value);
        machine_.journal("registry set " + toUtf8(path_) + " [" + toUtf8(name) + "] = " + describeValue(value));
        machine_.keep(
            {{"registry", "set"}, {"key", toUtf8(path_)}, {"name", toUtf8(name)}, {"value", valueToJson(value)}});
        return ErrorSuccess;
    }

    Status deleteValue(const std::wstring& name) override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        if (node_->deleted)
            return ErrorKeyDeleted;
        if (!writable_)
            return ErrorAccessDenied;
        auto& values = node_->values;
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (equalsIgnoreCase(it->first, name)) {
                values.erase(it);
                machine_.journal("registry delete value " + toUtf8(path_) + " [" + toUtf8(name) + "]");
                machine_.keep({{"registry", "delete"}, {"key", toUtf8(path_)}, {"name", toUtf8(name)}});
                return ErrorSuccess;
            }
        }
        return ErrorFileNotFound;
    }

    Status valueCount(std::uint32_t& count) const override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        if (node_->deleted)
            return ErrorKeyDeleted;
        count = static_cast<std::uint32_t>(node_->values.size());
        return ErrorSuccess;
    }

    Status subKeyCount(std::uint32_t& count) const override
    {
        std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
        if (node_->deleted)
            return ErrorKeyDeleted;
        count = static_cast<std::uint32_t>(node_->children.size());
        return ErrorSuccess;
    }

private:
    SimMachine& machine_;
    std::shared_ptr<SimRegNode> node_;
    std::wstring path_;
    bool writable_;
};

std::shared_ptr<SimRegNode> childOf(SimRegNode& node, const std::wstring& name, bool create)
{
    auto it = node.children.find(lower(name));
    if (it != node.children.end())
        return it->second;
    if (!create)
        return nullptr;
    auto child = std::make_shared<SimRegNode>();
    child->name = name;
    node.children.emplace(lower(name), child);
    return child;
}

void loadKey(SimRegNode& root, const std::wstring& path, const nlohmann::json& values)
{
    SimRegNode* node = &root;
    for (const auto& part : splitKeyPath(path))
        node = childOf(*node, part, true).get();
    if (!values.is_object())
        return;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.key() == "@denied") {
            node->denied = it.value().is_boolean() && it.value().get<bool>();
            continue;
        }
        if (it.key() == "@readOnly") {
            node->readOnly = it.value().is_boolean() && it.value().get<bool>();
            continue;
        }
        RegValue value;
        if (valueFromJson(it.value(), value))
            node->values.emplace_back(fromUtf8(it.key()), value);
    }
}

void storeKey(const SimRegNode& node, const std::wstring& path, nlohmann::json& section)
{
    bool leaf = node.children.empty();
    if (!node.values.empty() || leaf || node.denied || node.readOnly) {
        nlohmann::json values = nlohmann::json::object();
        if (node.denied)
            values["@denied"] = true;
        if (node.readOnly)
            values["@readOnly"] = true;
        for (const auto& [name, value] : node.values)
            values[toUtf8(name)] = valueToJson(value);
        section[toUtf8(path)] = values;
    }
    for (const auto& [key, child] : node.children)
        storeKey(*child, path + L"\\" + child->name, section);
}

} // namespace

const RegValue* SimRegNode::findValue(const std::wstring& valueName) const
{
    for (const auto& [name, value] : values) {
        if (equalsIgnoreCase(name, valueName))
            return &value;
    }
    return nullptr;
}

std::wstring hiveName(Hive hive)
{
    for (const auto& [known, name] : kHiveNames) {
        if (known == hive)
            return name;
    }
    return L"?";
}

nlohmann::json valueToJson(const RegValue& value)
{
    switch (value.type) {
    case RegType::Sz:
        if (value.data.size() >= 2 && value.data.size() % 2 == 0)
            return toUtf8(value.asString());
        break;
    case RegType::Dword:
        if (value.data.size() == 4)
            return *value.asDword();
        break;
    case RegType::ExpandSz:
        if (value.data.size() >= 2 && value.data.size() % 2 == 0)
            return {{"expand", toUtf8(value.asString())}};
        break;
    case RegType::MultiSz: {
        nlohmann::json texts = nlohmann::json::array();
        for (const auto& text : value.asMultiString())
            texts.push_back(toUtf8(text));
        if (RegValue::multiString(value.asMultiString()) == value)
            return {{"multi", texts}};
        break;
    }
    case RegType::Binary:
        return {{"binary", hex(value.data)}};
    default:
        break;
    }
    return {{"type", static_cast<std::uint32_t>(value.type)}, {"hex", hex(value.data)}};
}

bool valueFromJson(const nlohmann::json& json, RegValue& value)
{
    if (json.is_string()) {
        value = RegValue::string(fromUtf8(json.get<std::string>()));
        return true;
    }
    if (json.is_number_unsigned() || (json.is_number_integer() && json.get<std::int64_t>() >= 0)) {
        value = RegValue::dword(static_cast<std::uint32_t>(json.get<std::uint64_t>()));
        return true;
    }
    if (!json.is_object())
        return false;
    if (json.contains("dword") && json["dword"].is_number())
        value = RegValue::dword(static_cast<std::uint32_t>(json["dword"].get<std::uint64_t>()));
    else if (json.contains("qword") && json["qword"].is_number())
        value = RegValue::qword(json["qword"].get<std::uint64_t>());
    else if (json.contains("sz") && json["sz"].is_string())
        value = RegValue::string(fromUtf8(json["sz"].get<std::string>()));
    else if (json.contains("expand") && json["expand"].is_string())
        value = RegValue::string(fromUtf8(json["expand"].get<std::string>()), RegType::ExpandSz);
    else if (json.contains("multi") && json["multi"].is_array()) {
        std::vector<std::wstring> texts;
        for (const auto& text : json["multi"])
            texts.push_back(text.is_string() ? fromUtf8(text.get<std::string>()) : std::wstring());
        value = RegValue::multiString(texts);
    } else if (json.contains("binary") && json["binary"].is_string()) {
        std::vector<std::uint8_t> bytes;
        if (!fromHex(json["binary"].get<std::string>(), bytes))
            return false;
        value = RegValue::binary(bytes);
    } else if (json.contains("type") && json["type"].is_number() && json.contains("hex") && json["hex"].is_string()) {
        value.type = static_cast<RegType>(json["type"].get<std::uint32_t>());
        return fromHex(json["hex"].get<std::string>(), value.data);
    } else {
        return false;
    }
    return true;
}

std::string describeValue(const RegValue& value)
{
    switch (value.type) {
    case RegType::Dword:
        if (auto dword = value.asDword())
            return "REG_DWORD " + std::to_string(*dword);
        break;
    case RegType::Sz:
        return "REG_SZ \"" + toUtf8(value.asString()) + "\"";
    case RegType::ExpandSz:
        return "REG_EXPAND_SZ \"" + toUtf8(value.asString()) + "\"";
    default:
        break;
    }
    return "type " + std::to_string(static_cast<std::uint32_t>(value.type)) + " " + hex(value.data);
}

SimRegistry::SimRegistry(SimMachine& machine)
    : machine_(machine)
{
    for (const auto& [hive, name] : kHiveNames) {
        hives_[hive] = std::make_shared<SimRegNode>();
        hives_[hive]->name = name;
    }
    const auto& document = machine.document();
    if (document.contains("registry") && document["registry"].is_object()) {
        for (auto it = document["registry"].begin(); it != document["registry"].end(); ++it) {
            std::wstring path = fromUtf8(it.key());
            auto slash = path.find(L'\\');
            std::wstring head = path.substr(0, slash);
            std::wstring rest = slash == std::wstring::npos ? std::wstring() : path.substr(slash + 1);
            for (const auto& [hive, name] : kHiveNames) {
                if (equalsIgnoreCase(head, name))
                    loadKey(*hives_[hive], rest, it.value());
            }
        }
    }
    machine.addState(this);
}

std::shared_ptr<SimRegNode> SimRegistry::find(Hive hive, const std::wstring& subKey) const
{
    auto node = hives_.at(hive);
    for (const auto& part : splitKeyPath(subKey)) {
        node = childOf(*node, part, false);
        if (!node)
            return nullptr;
    }
    return node;
}

Status SimRegistry::open(Hive hive, const std::wstring& subKey, RegAccess access, bool create,
                         std::unique_ptr<RegistryKey>& key)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    auto node = hives_.at(hive);
    bool created = false;
    for (const auto& part : splitKeyPath(subKey)) {
        if (node->denied)
            return ErrorAccessDenied;
        auto child = childOf(*node, part, false);
        if (!child) {
            if (!create)
                return ErrorFileNotFound;
            if (node->readOnly)
                return ErrorAccessDenied;
            child = childOf(*node, part, true);
            created = true;
        }
        node = child;
    }
    bool writable = access != RegAccess::Read;
    if (node->denied || (writable && node->readOnly))
        return ErrorAccessDenied;
    std::wstring path = hiveName(hive) + (subKey.empty() ? L"" : L"\\" + subKey);
    if (created) {
        machine_.journal("registry create key " + toUtf8(path));
        machine_.keep({{"registry", "key"}, {"key", toUtf8(path)}});
    }
    key = std::make_unique<SimRegistryKey>(machine_, node, path, writable);
    return ErrorSuccess;
}

void SimRegistry::resolve(Hive& hive, std::wstring& subKey) const
{
    if (hive != Hive::CurrentUser)
        return;
    const SimInteractiveUser user(machine_);
    if (user.otherUserSid().empty())
        return;
    hive = Hive::Users;
    subKey = subKey.empty() ? user.otherUserSid() : user.otherUserSid() + L"\\" + subKey;
}

Status SimRegistry::openKey(Hive hive, const std::wstring& given, RegAccess access, RegView,
                            std::unique_ptr<RegistryKey>& key)
{
    std::wstring subKey = given;
    resolve(hive, subKey);
    return open(hive, subKey, access, false, key);
}

Status SimRegistry::createKey(Hive hive, const std::wstring& given, RegAccess access, RegView,
                              std::unique_ptr<RegistryKey>& key)
{
    std::wstring subKey = given;
    resolve(hive, subKey);
    return open(hive, subKey, access, true, key);
}

Status SimRegistry::deleteKey(Hive hive, const std::wstring& given, RegView)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring subKey = given;
    resolve(hive, subKey);
    auto parts = splitKeyPath(subKey);
    if (parts.empty())
        return ErrorAccessDenied;
    auto node = find(hive, subKey);
    if (!node)
        return ErrorFileNotFound;
    if (node->denied || node->readOnly)
        return ErrorAccessDenied;
    if (!node->children.empty())
        return ErrorAccessDenied;
    std::wstring parentPath;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        parentPath += (i ? L"\\" : L"") + parts[i];
    auto parent = find(hive, parentPath);
    parent->children.erase(lower(parts.back()));
    node->deleted = true;
    const std::string path = toUtf8(hiveName(hive) + L"\\" + subKey);
    machine_.journal("registry delete key " + path);
    machine_.keep({{"registry", "deleteKey"}, {"key", path}});
    return ErrorSuccess;
}

void SimRegistry::store(nlohmann::json& document) const
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    nlohmann::json section = nlohmann::json::object();
    for (const auto& [hive, root] : hives_) {
        for (const auto& [key, child] : root->children)
            storeKey(*child, hiveName(hive) + L"\\" + child->name, section);
    }
    document["registry"] = section;
}

} // namespace platform::sim
