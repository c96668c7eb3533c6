#include "platform/ContractTest.h"
#include "platform/Text.h"
#include "platform/WindowShellHooks.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimWindows.h"

using namespace platform;
using namespace platform::sim;

namespace {

// The simulated PC arranges windows and shortcuts by writing them into the machine's profile.
class SimWindowShellHooks : public WindowShellHooks {
public:
    bool addWindow(const std::wstring& className, const std::wstring& title, bool visible, bool toolWindow,
                   std::uint32_t& pid) override
    {
        auto* windows = dynamic_cast<SimWindows*>(&backend().platform().windows);
        if (!windows)
            return false;
        pid = 4242;
        windows->machine().document()["windows"].push_back({{"pid", pid},
                                                           {"className", toUtf8(className)},
                                                           {"title", toUtf8(title)},
                                                           {"visible", visible},
                                                           {"toolWindow", toolWindow}});
        return true;
    }

    bool addShortcut(const std::wstring& lnkPath, const std::wstring& target, const std::wstring& arguments) override
    {
        auto* shell = dynamic_cast<SimShell*>(&backend().platform().shell);
        if (!shell)
            return false;
        backend().writeFile(lnkPath, "L");
        shell->machine().document()["shell"]["shortcuts"][toUtf8(lnkPath)] = {{"target", toUtf8(target)},
                                                                              {"arguments", toUtf8(arguments)}};
        return true;
    }

    bool describedFile(std::wstring& path, std::wstring& description) override
    {
        auto* shell = dynamic_cast<SimShell*>(&backend().platform().shell);
        if (!shell)
            return false;
        path = backend().scratchFolder() + L"\\described.exe";
        description = L"Tidewell 合约程序";
        backend().writeFile(path, "MZ");
        shell->machine().document()["shell"]["fileDescriptions"][toUtf8(path)] = toUtf8(description);
        return true;
    }
};

SimWindowShellHooks simHooks;
const bool registered = setWindowShellHooks(&simHooks);

} // namespace
