#include "platform/sim/MachineSchema.h"

#include "platform/sim/JsonMember.h"
#include "platform/sim/SimRegistry.h"

#include <vector>

namespace platform::sim {

namespace {

// The JSON types a member may have, as bits.
enum Kind : unsigned {
    Object = 1,
    Array = 2,
    Text = 4,
    Boolean = 8,
    Count = 16,   // a whole number, not negative
    Integer = 32, // a whole number
    Number = 64,  // any number
    RegistryValue = 128,
};

struct MemberRule {
    const char* pattern; // members by name from the top, "*" for any member or element
    unsigned kinds;
};

// The first rule whose pattern matches a member decides; a member that no rule matches is not checked.
const MemberRule kRules[] = {
    {"system", Object},
    {"system/systemDirectory", Text},
    {"system/version", Object},
    {"system/version/*", Count},
    {"system/joinStatus", Text | Count},
    {"system/wow64", Boolean},
    {"registry", Object},
    {"registry/*", Object},
    {"registry/*/@denied", Boolean},
    {"registry/*/@readOnly", Boolean},
    {"registry/*/*", RegistryValue},
    {"wmi", Object},
    {"wmi/*", Array},
    {"wmi/*/*", Object},
    {"wmicOutput", Text},
    {"tools", Object},
    {"tools/*", Text | Object},
    {"tools/*/exitCode", Integer},
    {"tools/*/output", Text},
    {"files", Array},
    {"files/*", Object},
    {"files/*/path", Text},
    {"files/*/size", Count},
    {"files/*/ageHours", Number},
    {"files/*/folder", Boolean},
    {"files/*/linkTo", Text},
    {"files/*/content", Text},
    {"files/*/attributes", Array},
    {"files/*/attributes/*", Text},
    {"adapters", Array},
    {"adapters/*", Object},
    {"adapters/*/name", Text},
    {"adapters/*/description", Text},
    {"adapters/*/present", Boolean},
    {"adapters/*/ipv4", Boolean},
    {"devices", Array},
    {"devices/*", Object},
    {"devices/*/class", Text},
    {"devices/*/instanceId", Text},
    {"devices/*/present", Boolean},
    {"printers", Array},
    {"printers/*", Object},
    {"printers/*/name", Text},
    {"printers/*/driver", Text},
    {"printers/*/location", Text},
    {"printers/*/comment", Text},
    {"printers/*/description", Text},
    {"printers/*/flags", Count},
    {"printerError", Count},
    {"disks", Object},
    {"disks/*", Object},
    {"disks/*/seekPenalty", Boolean},
    {"disks/*/trim", Boolean},
    {"disks/*/rotationRate", Count},
    {"disks/*/totalBytes", Count},
    {"disks/*/freeBytes", Count},
    {"disks/*/totalGB", Number},
    {"disks/*/freeGB", Number},
    {"tasks", Array},
    {"tasks/*", Object},
    {"tasks/*/path", Text},
    {"tasks/*/enabled", Boolean},
    {"tasks/*/hidden", Boolean},
    {"tasks/*/triggers", Array},
    {"tasks/*/triggers/*", Count},
    {"tasks/*/triggerError", Count},
    {"tasks/*/unreadableTriggers", Count},
    {"taskFolders", Array},
    {"taskFolders/*", Text},
    {"boot", Object},
    {"boot/timeout", Count},
    {"boot/loaderHeading", Text},
    {"boot/entries", Object},
    {"boot/entries/*", Object},
    {"powerSchemes", Object},
    {"powerSchemes/active", Text},
    {"powerSchemes/schemes", Object},
    {"powerSchemes/schemes/*", Text},
    {"hibernation", Object},
    {"hibernation/enabled", Boolean},
    {"hibernation/type", Text},
    {"hibernation/fullSize", Count},
    {"fileFlags", Object},
    {"fileFlags/*", Array},
    {"fileFlags/*/*", Text},
    {"interactiveUser", Object},
    {"interactiveUser/sid", Text},
    {"interactiveUser/environment", Object},
    {"interactiveUser/environment/*", Text},
    {"security", Object},
    {"security/administrator", Boolean},
    {"security/signedFiles", Array},
    {"security/signedFiles/*", Text},
    {"security/catalogSignedFiles", Array},
    {"security/catalogSignedFiles/*", Text},
    {"security/uncheckableFiles", Array},
    {"security/uncheckableFiles/*", Text},
    {"power", Object},
    {"power/fails", Boolean},
    {"power/*", Count},
    {"memory", Object},
    {"memory/unreadable", Boolean},
    {"memory/*", Count},
    {"environment", Object},
    {"environment/*", Text},
    {"services", Object},
    {"services/*", Object},
    {"services/*/startType", Text | Count},
    {"services/*/pid", Count},
    {"services/*/denied", Boolean},
    {"services/*/protected", Boolean},
    {"services/*/state", Text},
    {"services/*/onStop", Text},
    {"services/*/displayName", Text},
    {"services/*/binaryPath", Text},
    {"processes", Array},
    {"processes/*", Object},
    {"processes/*/name", Text},
    {"processes/*/imagePath", Text},
    {"processes/*/protected", Boolean},
    {"processes/*/self", Boolean},
    {"processes/*/pid", Count},
    {"processes/*/parentPid", Count},
    {"processes/*/workingSet", Count},
    {"processSnapshotFails", Boolean},
    {"windows", Array},
    {"windows/*", Object},
    {"windows/*/title", Text},
    {"windows/*/className", Text},
    {"windows/*/visible", Boolean},
    {"windows/*/toolWindow", Boolean},
    {"windows/*/pid", Count},
    {"windows/*/exStyle", Count},
    {"windows/*/handle", Count},
    {"windowsEnumerationFails", Boolean},
    {"shell", Object},
    {"shell/shortcuts", Object},
    {"shell/shortcuts/*", Object},
    {"shell/shortcuts/*/target", Text},
    {"shell/shortcuts/*/arguments", Text},
    {"shell/fileDescriptions", Object},
    {"shell/fileDescriptions/*", Text},
    {"dnsCache", Array},
};

const std::pair<unsigned, const char*> kKindNames[] = {
    {Object, "an object"},   {Array, "a list"},       {Text, "a string"},
    {Boolean, "true or false"}, {Count, "a whole number (0 or more)"}, {Integer, "a whole number"},
    {Number, "a number"},
    {RegistryValue, "a registry value (text, a whole number or an object such as {\"dword\": 1})"},
};

bool hasKind(const nlohmann::json& value, unsigned kind)
{
    switch (kind) {
    case Object:
        return value.is_object();
    case Array:
        return value.is_array();
    case Text:
        return value.is_string();
    case Boolean:
        return value.is_boolean();
    case Count:
        return isCount(value);
    case Integer:
        return value.is_number_integer();
    case Number:
        return value.is_number();
    case RegistryValue: {
        RegValue ignored;
        return valueFromJson(value, ignored);
    }
    default:
        return false;
    }
}

std::string expectedKinds(unsigned kinds)
{
    std::string text;
    for (const auto& [kind, name] : kKindNames) {
        if (kinds & kind)
            text += (text.empty() ? "" : " or ") + std::string(name);
    }
    return text;
}

bool matches(const char* pattern, const std::vector<std::string>& path)
{
    std::size_t index = 0;
    std::string text = pattern;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        if (index >= path.size() || (part != "*" && part != path[index]))
            return false;
        ++index;
        start = end + 1;
    }
    return index == path.size();
}

const MemberRule* ruleFor(const std::vector<std::string>& path)
{
    for (const MemberRule& rule : kRules) {
        if (matches(rule.pattern, path))
            return &rule;
    }
    return nullptr;
}

// The wrong value as the file has it, cut short where a whole section was given.
std::string shortText(const nlohmann::json& value)
{
    const std::string text = value.dump(-1, ' ', true);
    return text.size() <= 60 ? text : text.substr(0, 57) + "...";
}

std::string pointer(const std::vector<std::string>& path)
{
    std::string text;
    for (const auto& part : path)
        text += "/" + part;
    return text;
}

class SchemaWalk {
public:
    explicit SchemaWalk(const std::string& fileName)
        : fileName_(fileName)
    {
    }

    bool check(const nlohmann::json& node, std::vector<std::string>& path)
    {
        if (!node.is_object() && !node.is_array())
            return true;
        std::size_t index = 0;
        for (auto it = node.begin(); it != node.end(); ++it, ++index) {
            path.push_back(node.is_object() ? it.key() : std::to_string(index));
            if (!checkMember(it.value(), path))
                return false;
            path.pop_back();
        }
        return true;
    }

    std::string error;

private:
    bool checkMember(const nlohmann::json& value, std::vector<std::string>& path)
    {
        // null stands for a member that is not given, which every reader takes as its default.
        const MemberRule* rule = value.is_null() ? nullptr : ruleFor(path);
        if (rule && !anyKind(value, rule->kinds)) {
            error = fileName_ + ": member \"" + pointer(path) + "\" must be " + expectedKinds(rule->kinds) +
                    ", not " + shortText(value);
            return false;
        }
        // A registry value's inner members belong to its own form, checked as a whole above.
        return (rule && rule->kinds == RegistryValue) || check(value, path);
    }

    static bool anyKind(const nlohmann::json& value, unsigned kinds)
    {
        for (const auto& [kind, name] : kKindNames) {
            if ((kinds & kind) && hasKind(value, kind))
                return true;
        }
        return false;
    }

    const std::string& fileName_;
};

} // namespace

bool checkMachineSchema(const nlohmann::json& document, const std::string& fileName, std::string& error)
{
    if (!document.is_object()) {
        error = fileName + " does not hold a JSON object";
        return false;
    }
    SchemaWalk walk(fileName);
    std::vector<std::string> path;
    if (walk.check(document, path))
        return true;
    error = walk.error;
    return false;
}

} // namespace platform::sim
