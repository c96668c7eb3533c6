#pragma once

#include "platform/Platform.h"

#include <QThread>

#include <atomic>

// A machine whose restore-point and printer listings hang, as on a PC with a stuck WMI or an offline print
// server, until the test releases them; then they answer as the machine underneath does. Destroying it
// releases them and waits for their return, so no worker outlives the machine it asks.
class BlockingMachine : platform::SystemInfo, platform::Devices {
public:
    explicit BlockingMachine(platform::Platform& inner)
        : inner(inner)
        , bundle{inner.registry, inner.services, inner.security, *this,       inner.processes, inner.windows,
                 *this,          inner.tasks,    inner.shell,    inner.files, inner.commands}
    {
    }
    ~BlockingMachine() override
    {
        release();
        waitWhile([this] { return busy > 0; });
    }

    platform::Platform& platform() { return bundle; }
    void release() { open = true; }
    // Listings entered and not yet returned.
    std::atomic<int> busy{0};

private:
    platform::Status systemDirectory(std::wstring& path, std::uint32_t maxChars) override
    {
        return inner.systemInfo.systemDirectory(path, maxChars);
    }
    platform::Status restorePoints(std::vector<platform::RestorePoint>& points) override
    {
        return hang([&] { return inner.systemInfo.restorePoints(points); });
    }
    platform::Status printers(std::vector<platform::PrinterInfo>& printers) override
    {
        return hang([&] { return inner.devices.printers(printers); });
    }
    template <typename Call> platform::Status hang(Call call)
    {
        ++busy;
        waitWhile([this] { return !open; });
        const platform::Status status = call();
        --busy;
        return status;
    }
    template <typename Condition> static void waitWhile(Condition condition)
    {
        while (condition())
            QThread::msleep(5);
    }

    platform::Platform& inner;
    std::atomic<bool> open{false};
    platform::Platform bundle;
};
