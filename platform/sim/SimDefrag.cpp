#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimMaintenanceTools.h"

#include <cwctype>

namespace platform::sim {

namespace {

const char* const kBanner = "Microsoft Drive Optimizer\r\nCopyright (c) Microsoft Corp.\r\n\r\n";
constexpr std::uint32_t kNotSupportedByHardware = 0x8900002A;
constexpr std::uint32_t kInvalidParameter = 0x80070057;

bool incursSeekPenalty(const SimMachine& machine, const std::wstring& letter)
{
    const auto& document = machine.document();
    if (!document.contains("disks") || !document["disks"].is_object())
        return false;
    for (auto it = document["disks"].begin(); it != document["disks"].end(); ++it) {
        if (equalsIgnoreCase(fromUtf8(it.key()).substr(0, 1), letter) && it.value().is_object() &&
            memberOr(it.value(), "seekPenalty", false))
            return true;
    }
    return false;
}

ToolOutcome retrim(SimMachine& machine, const std::wstring& letter)
{
    std::string volume = "(" + toUtf8(letter) + ":)";
    if (incursSeekPenalty(machine, letter))
        return {kNotSupportedByHardware, std::string(kBanner) + "Invoking retrim on " + volume +
                                             "...\r\n\r\nThe operation requested is not supported by the "
                                             "hardware backing the volume. (0x8900002A)\r\n"};
    return {0, std::string(kBanner) + "Invoking retrim on " + volume +
                   "...\r\n\r\n\tRetrim:  100% complete.\r\n\r\nThe operation completed successfully.\r\n"};
}

ToolOutcome defragment(const std::wstring& letter, bool withProgress)
{
    std::string text = std::string(kBanner) + "Invoking defragmentation on (" + toUtf8(letter) + ":)...\r\n\r\n";
    if (withProgress)
        text += "\tAnalysis:  100% complete.\r\n\tDefragmentation:  100% complete.\r\n\r\n";
    text += "The operation completed successfully.\r\n\r\nPost Defragmentation Report:\r\n\r\n"
            "\tTotal fragmented space\t= 0%\r\n";
    return {0, text};
}

ToolOutcome analyse(const std::wstring& letter)
{
    return {0, std::string(kBanner) + "Invoking analysis on (" + toUtf8(letter) +
                   ":)...\r\n\r\nThe operation completed successfully.\r\n\r\nYou do not need to defragment "
                   "this volume.\r\n"};
}

} // namespace

ToolOutcome runDefrag(SimMachine& machine, const std::vector<std::wstring>& arguments)
{
    if (arguments.size() < 2 || arguments[0].size() != 2 || arguments[0][1] != L':' ||
        !std::iswalpha(static_cast<std::wint_t>(arguments[0][0])))
        return {kInvalidParameter, std::string(kBanner) + "The parameter is incorrect. (0x80070057)\r\n"};
    std::wstring letter(1, static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(arguments[0][0]))));
    std::error_code ec;
    if (!std::filesystem::is_directory(machine.hostPath(letter + L":\\"), ec))
        return {kInvalidParameter, std::string(kBanner) + "The volume could not be found. (0x80070057)\r\n"};
    const std::wstring& mode = arguments[1];
    if (equalsIgnoreCase(mode, L"/L"))
        return retrim(machine, letter);
    if (equalsIgnoreCase(mode, L"/U") || equalsIgnoreCase(mode, L"/D"))
        return defragment(letter, equalsIgnoreCase(mode, L"/U"));
    if (equalsIgnoreCase(mode, L"/A"))
        return analyse(letter);
    return {kInvalidParameter, std::string(kBanner) + "The parameter is incorrect. (0x80070057)\r\n"};
}

} // namespace platform::sim
