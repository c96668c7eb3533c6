#include "platform/sim/SimSystemTools.h"

#include "platform/Text.h"

#include <algorithm>

namespace platform::sim {

namespace {

constexpr std::uint32_t kChannelNotFound = 15007;
constexpr std::uint32_t kInvalidParameter = 87;
constexpr std::uint64_t kMinimumLogBytes = 1u << 20;
constexpr std::uint64_t kDefaultLogBytes = 20971520;

const char* const kTuningLevels[] = {"disabled", "highlyrestricted", "restricted", "normal", "experimental"};

nlohmann::json* eventLog(SimMachine& machine, const std::wstring& name)
{
    auto& logs = machine.document()["eventLogs"];
    if (!logs.is_object())
        return nullptr;
    for (auto it = logs.begin(); it != logs.end(); ++it) {
        if (equalsIgnoreCase(fromUtf8(it.key()), name) && it.value().is_object())
            return &it.value();
    }
    return nullptr;
}

std::string logDescription(const std::string& name, std::uint64_t maxSize)
{
    return "name: " + name + "\r\nenabled: true\r\ntype: Admin\r\nowningPublisher: \r\nisolation: " + name +
           "\r\nchannelAccess: O:BAG:SYG:(A;;0xf0007;;;SY)(A;;0x7;;;BA)(A;;0x3;;;IU)\r\nlogging:\r\n"
           "  logFileName: %SystemRoot%\\System32\\Winevt\\Logs\\" + name + ".evtx\r\n  retention: false\r\n"
           "  autoBackup: false\r\n  maxSize: " + std::to_string(maxSize) + "\r\npublishing:\r\n  fileMax: 1\r\n";
}

bool parseBytes(const std::wstring& text, std::uint64_t& bytes)
{
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; }))
        return false;
    bytes = std::stoull(toUtf8(text));
    return bytes >= kMinimumLogBytes;
}

ToolOutcome setLog(SimMachine& machine, nlohmann::json& log, const std::string& name,
                   const std::vector<std::wstring>& options)
{
    std::uint64_t bytes = 0;
    bool sized = false;
    for (const auto& option : options) {
        const std::wstring lowered = lower(option);
        if (lowered.rfind(L"/ms:", 0) != 0 && lowered.rfind(L"/maxsize:", 0) != 0)
            return {kInvalidParameter, {}};
        if (!parseBytes(option.substr(option.find(L':') + 1), bytes))
            return {kInvalidParameter, {}};
        sized = true;
    }
    if (!sized)
        return {kInvalidParameter, {}};
    const std::uint64_t before = log.value("maxSize", kDefaultLogBytes);
    log["maxSize"] = bytes;
    machine.journal("event log " + name + " maximum size " + std::to_string(before) + " -> " + std::to_string(bytes) +
                    " bytes");
    machine.keep(nlohmann::json::json_pointer() / "eventLogs" / name / "maxSize");
    return {0, {}};
}

} // namespace

ToolOutcome runWevtutil(SimMachine& machine, const std::vector<std::wstring>& arguments)
{
    if (arguments.size() < 2)
        return {kInvalidParameter, {}};
    const std::wstring verb = lower(arguments[0]);
    nlohmann::json* log = eventLog(machine, arguments[1]);
    if (!log)
        return {kChannelNotFound, {}};
    std::string name;
    for (auto it = machine.document()["eventLogs"].begin(); it != machine.document()["eventLogs"].end(); ++it) {
        if (&it.value() == log)
            name = it.key();
    }
    if ((verb == L"gl" || verb == L"get-log") && arguments.size() == 2)
        return {0, logDescription(name, log->value("maxSize", kDefaultLogBytes))};
    if (verb == L"sl" || verb == L"set-log")
        return setLog(machine, *log, name, {arguments.begin() + 2, arguments.end()});
    return {kInvalidParameter, {}};
}

ToolOutcome runNetsh(SimMachine& machine, const std::vector<std::wstring>& arguments)
{
    static const ToolOutcome refused{1, "The syntax supplied for this command is not valid. Check help for the "
                                        "correct syntax.\r\n\r\n"};
    std::vector<std::wstring> words;
    for (const auto& argument : arguments)
        words.push_back(lower(argument));
    auto& global = machine.document()["tcpGlobal"];
    if (!global.is_object())
        global = nlohmann::json::object();
    const std::string level = global.value("autotuninglevel", std::string("normal"));
    if (words == std::vector<std::wstring>{L"interface", L"tcp", L"show", L"global"})
        return {0, "Querying active state...\r\n\r\nTCP Global Parameters\r\n"
                   "----------------------------------------------\r\n"
                   "Receive-Side Scaling State          : enabled\r\nReceive Window Auto-Tuning Level    : " +
                       level + "\r\n\r\n"};
    if (words.size() != 5 || words[0] != L"interface" || words[1] != L"tcp" || words[2] != L"set" ||
        words[3] != L"global" || words[4].rfind(L"autotuninglevel=", 0) != 0)
        return refused;
    const std::string wanted = toUtf8(words[4].substr(16));
    if (std::find(std::begin(kTuningLevels), std::end(kTuningLevels), wanted) == std::end(kTuningLevels))
        return refused;
    global["autotuninglevel"] = wanted;
    machine.journal("tcp global autotuninglevel " + level + " -> " + wanted);
    machine.keep(nlohmann::json::json_pointer("/tcpGlobal/autotuninglevel"));
    return {0, "Ok.\r\n\r\n"};
}

} // namespace platform::sim
