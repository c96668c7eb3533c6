#include "platform/sim/SimWindows.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"

namespace platform::sim {

namespace {

WindowInfo windowFrom(const nlohmann::json& entry, std::size_t position)
{
    WindowInfo window;
    window.handle = memberOr(entry, "handle", std::uint64_t{0x10010 + 4 * position});
    window.visible = memberOr(entry, "visible", true);
    window.exStyle = memberOr(entry, "exStyle", 0u);
    if (memberOr(entry, "toolWindow", false))
        window.exStyle |= SimWindows::kToolWindow;
    window.className = fromUtf8(memberOr(entry, "className", std::string()));
    window.title = fromUtf8(memberOr(entry, "title", std::string()));
    window.pid = memberOr(entry, "pid", 0u);
    return window;
}

} // namespace

SimWindows::SimWindows(SimMachine& machine)
    : machine_(machine)
{
}

Status SimWindows::enumerate(std::vector<WindowInfo>& windows)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto& document = machine_.document();
    if (memberOr(document, "windowsEnumerationFails", false))
        return ErrorAccessDenied;
    windows.clear();
    auto it = document.find("windows");
    if (it == document.end() || !it->is_array())
        return ErrorSuccess;
    for (std::size_t i = 0; i < it->size(); ++i) {
        if ((*it)[i].is_object())
            windows.push_back(windowFrom((*it)[i], i));
    }
    return ErrorSuccess;
}

} // namespace platform::sim
