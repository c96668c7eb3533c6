#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimTools.h"

#include <algorithm>
#include <cwctype>

// wmic on the simulated PC: "[/namespace:X] (path CLASS | ALIAS) [where COND] get P1[,P2] [/value]".
// A bare class name is not an alias: like the real tool, it answers nothing and exits with a failure.
// Instances come from the profile's "wmi" section: {"Win32_Processor": [{"ProcessorId": "..."}]}; those of
// SystemRestore from its "restorePoints" list.
// Output follows real wmic writing to a pipe: 8-bit text, "\r\r\n" line ends, columns in alphabetical
// order padded with blanks, or "Name=value" lines for /value. With "wmicOutput": "utf16" in the profile it
// answers as Wine's wmic does instead: UTF-16LE with a byte-order mark and "\r\n".
namespace platform::sim {

namespace {

const std::pair<const wchar_t*, const char*> kAliases[] = {
    {L"baseboard", "Win32_BaseBoard"},       {L"bios", "Win32_BIOS"},
    {L"computersystem", "Win32_ComputerSystem"}, {L"cpu", "Win32_Processor"},
    {L"diskdrive", "Win32_DiskDrive"},       {L"logicaldisk", "Win32_LogicalDisk"},
    {L"os", "Win32_OperatingSystem"},        {L"process", "Win32_Process"},
    {L"product", "Win32_Product"},           {L"service", "Win32_Service"},
};

struct Query {
    std::string className;
    std::wstring condition;
    std::vector<std::string> properties;
    bool listFormat = false;
    bool valid = true;
};

std::vector<std::string> splitProperties(const std::wstring& text)
{
    std::vector<std::string> properties;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L',', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            properties.push_back(toUtf8(text.substr(start, end - start)));
        start = end + 1;
    }
    return properties;
}

// The class an alias stands for; empty for a word that is no alias (wmic then answers "Alias not found"
// and prints nothing on standard output: a WMI class name needs "path" before it).
std::string classOf(const std::wstring& word)
{
    for (const auto& [alias, className] : kAliases) {
        if (equalsIgnoreCase(word, alias))
            return className;
    }
    return {};
}

Query parse(const std::vector<std::wstring>& arguments)
{
    Query query;
    std::size_t i = 0;
    while (i < arguments.size() && !arguments[i].empty() && arguments[i][0] == L'/')
        ++i;
    if (i >= arguments.size()) {
        query.valid = false;
        return query;
    }
    if (equalsIgnoreCase(arguments[i], L"path") && i + 1 < arguments.size()) {
        std::wstring target = arguments[i + 1];
        std::wstring lowered = lower(target);
        auto where = lowered.find(L" where ");
        if (where != std::wstring::npos) {
            query.condition = target.substr(where + 7);
            target = target.substr(0, where);
        }
        query.className = toUtf8(target);
        i += 2;
    } else {
        query.className = classOf(arguments[i]);
        query.valid = !query.className.empty();
        ++i;
    }
    for (; i < arguments.size(); ++i) {
        const std::wstring& word = arguments[i];
        if (equalsIgnoreCase(word, L"where") && i + 1 < arguments.size()) {
            query.condition = arguments[++i];
        } else if (equalsIgnoreCase(word, L"get")) {
            while (i + 1 < arguments.size() && arguments[i + 1][0] != L'/') {
                auto more = splitProperties(arguments[++i]);
                query.properties.insert(query.properties.end(), more.begin(), more.end());
            }
        } else if (equalsIgnoreCase(word, L"/value") || equalsIgnoreCase(word, L"/format:list")) {
            query.listFormat = true;
        } else if (equalsIgnoreCase(word, L"call")) {
            query.valid = false;
        }
    }
    if (query.properties.empty())
        query.valid = false;
    return query;
}

std::wstring stripQuotes(std::wstring text)
{
    while (!text.empty() && std::iswspace(static_cast<std::wint_t>(text.back())))
        text.pop_back();
    std::size_t start = text.find_first_not_of(L" \t");
    text = start == std::wstring::npos ? std::wstring() : text.substr(start);
    if (text.size() >= 2 && (text.front() == L'\'' || text.front() == L'"') && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

// WQL LIKE: % any run, _ one character, without regard to case.
bool like(const std::wstring& text, const std::wstring& pattern, std::size_t t = 0, std::size_t p = 0)
{
    while (p < pattern.size()) {
        if (pattern[p] == L'%') {
            for (std::size_t k = t; k <= text.size(); ++k) {
                if (like(text, pattern, k, p + 1))
                    return true;
            }
            return false;
        }
        if (t >= text.size())
            return false;
        if (pattern[p] != L'_' && std::towlower(static_cast<std::wint_t>(pattern[p])) !=
                                      std::towlower(static_cast<std::wint_t>(text[t])))
            return false;
        ++t;
        ++p;
    }
    return t == text.size();
}

std::wstring propertyText(const nlohmann::json& instance, const std::string& property)
{
    for (auto it = instance.begin(); it != instance.end(); ++it) {
        if (!equalsIgnoreCase(fromUtf8(it.key()), fromUtf8(property)))
            continue;
        if (it.value().is_string())
            return fromUtf8(it.value().get<std::string>());
        if (it.value().is_null())
            return {};
        return fromUtf8(it.value().dump());
    }
    return {};
}

bool matches(const nlohmann::json& instance, const std::wstring& condition)
{
    std::wstring rest = condition;
    while (!rest.empty()) {
        std::wstring lowered = lower(rest);
        auto andAt = lowered.find(L" and ");
        std::wstring clause = rest.substr(0, andAt);
        rest = andAt == std::wstring::npos ? std::wstring() : rest.substr(andAt + 5);
        std::wstring loweredClause = lower(clause);
        auto likeAt = loweredClause.find(L" like ");
        auto equalsAt = clause.find(L'=');
        std::wstring property;
        std::wstring value;
        bool isLike = likeAt != std::wstring::npos;
        if (isLike) {
            property = stripQuotes(clause.substr(0, likeAt));
            value = stripQuotes(clause.substr(likeAt + 6));
        } else if (equalsAt != std::wstring::npos) {
            property = stripQuotes(clause.substr(0, equalsAt));
            value = stripQuotes(clause.substr(equalsAt + 1));
        } else {
            return false;
        }
        std::wstring actual = propertyText(instance, toUtf8(property));
        if (isLike ? !like(actual, value) : !equalsIgnoreCase(actual, value))
            return false;
    }
    return true;
}

std::string encode(const std::wstring& text, bool utf16)
{
    if (!utf16) {
        std::wstring ansi;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == L'\n')
                ansi += L"\r\r\n";
            else
                ansi += text[i];
        }
        return toUtf8(ansi);
    }
    std::string bytes = "\xFF\xFE";
    for (wchar_t ch : text) {
        if (ch == L'\n') {
            bytes += std::string("\r\0\n\0", 4);
            continue;
        }
        bytes.push_back(static_cast<char>(ch & 0xFF));
        bytes.push_back(static_cast<char>((ch >> 8) & 0xFF));
    }
    return bytes;
}

std::wstring listOutput(const std::vector<const nlohmann::json*>& instances, const std::vector<std::string>& properties)
{
    std::wstring text;
    for (const auto* instance : instances) {
        text += L"\n\n";
        for (const auto& property : properties)
            text += fromUtf8(property) + L"=" + propertyText(*instance, property) + L"\n";
    }
    text += L"\n\n";
    return text;
}

std::wstring tableOutput(const std::vector<const nlohmann::json*>& instances, std::vector<std::string> properties)
{
    std::sort(properties.begin(), properties.end(), [](const std::string& a, const std::string& b) {
        return lower(fromUtf8(a)) < lower(fromUtf8(b));
    });
    std::vector<std::size_t> widths;
    for (const auto& property : properties) {
        std::size_t width = fromUtf8(property).size();
        for (const auto* instance : instances)
            width = std::max(width, propertyText(*instance, property).size());
        widths.push_back(width + 2);
    }
    auto row = [&](const std::vector<std::wstring>& cells) {
        std::wstring line;
        for (std::size_t c = 0; c < cells.size(); ++c)
            line += cells[c] + std::wstring(widths[c] - cells[c].size(), L' ');
        return line + L"\n";
    };
    std::vector<std::wstring> header;
    for (const auto& property : properties)
        header.push_back(fromUtf8(property));
    std::wstring text = row(header);
    for (const auto* instance : instances) {
        std::vector<std::wstring> cells;
        for (const auto& property : properties)
            cells.push_back(propertyText(*instance, property));
        text += row(cells);
    }
    return text + L"\n";
}

// The restore points of the profile as SystemRestore instances.
nlohmann::json restorePointInstances(const nlohmann::json& document)
{
    nlohmann::json instances = nlohmann::json::array();
    auto it = document.find("restorePoints");
    if (it == document.end() || !it->is_array())
        return instances;
    for (const auto& point : *it) {
        if (!point.is_object())
            continue;
        instances.push_back({{"CreationTime", point.value("creationTime", std::string())},
                             {"Description", point.value("description", std::string())},
                             {"SequenceNumber", std::to_string(point.value("sequenceNumber", 0u))}});
    }
    return instances;
}

} // namespace

ToolOutcome runWmic(SimMachine& machine, const std::vector<std::wstring>& arguments)
{
    Query query = parse(arguments);
    if (!query.valid)
        return {1, {}};
    const auto& document = machine.document();
    std::vector<const nlohmann::json*> instances;
    const nlohmann::json restorePoints = restorePointInstances(document);
    if (equalsIgnoreCase(fromUtf8(query.className), L"SystemRestore")) {
        for (const auto& instance : restorePoints) {
            if (matches(instance, query.condition))
                instances.push_back(&instance);
        }
    } else if (document.contains("wmi") && document["wmi"].is_object()) {
        for (auto it = document["wmi"].begin(); it != document["wmi"].end(); ++it) {
            if (!equalsIgnoreCase(fromUtf8(it.key()), fromUtf8(query.className)) || !it.value().is_array())
                continue;
            for (const auto& instance : it.value()) {
                if (instance.is_object() && matches(instance, query.condition))
                    instances.push_back(&instance);
            }
        }
    }
    if (instances.empty())
        return {0, {}}; // "No Instance(s) Available." goes to standard error
    // wmic prints a property under its own spelling, whatever the case of the request.
    for (auto& property : query.properties) {
        for (auto it = instances.front()->begin(); it != instances.front()->end(); ++it) {
            if (equalsIgnoreCase(fromUtf8(it.key()), fromUtf8(property)))
                property = it.key();
        }
    }
    bool utf16 = memberOr(document, "wmicOutput", std::string()) == "utf16";
    std::wstring text = query.listFormat ? listOutput(instances, query.properties) : tableOutput(instances, query.properties);
    return {0, encode(text, utf16)};
}

} // namespace platform::sim
