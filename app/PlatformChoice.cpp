#include "app/PlatformChoice.h"

#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#else
#include "app/SimMachineBackend.h"
#endif

namespace {

#ifdef _WIN32
// The real PC: nothing to save, every change is already on the machine.
class Win32Backend : public MachineBackend {
public:
    platform::Platform& platform() override { return backend->platform(); }
    bool save(QString&) override { return true; }

private:
    std::unique_ptr<platform::win32::Win32Platform> backend = platform::win32::createPlatform();
};
#endif

} // namespace

std::unique_ptr<MachineBackend> openMachineBackend(QString& error)
{
#ifdef _WIN32
    Q_UNUSED(error);
    return std::make_unique<Win32Backend>();
#else
    return SimMachineBackend::open(error);
#endif
}
