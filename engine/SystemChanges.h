#pragma once

#include "platform/Platform.h"

#include <QString>

#include <cstdint>

// What came of an attempt to disable a service.
enum class ServiceDisable {
    Disabled,          // the start type is disabled and the service stopped or stopping
    Unavailable,       // the service does not exist or cannot be opened
    Refused,           // Windows refused the change (a protected service); it was left as it was
    DependentsRunning, // disabled, but left running because services that depend on it still run
};

// The small set of machine changes the phase-1 steps make outside the file system: registry values,
// service stop / disable / start, and the process check. Each logs its change through engineLog and
// reports failure only through its result.
class SystemChanges {
public:
    explicit SystemChanges(platform::Platform& machine);

    // Opens or creates root\subKey in the native 64-bit view and writes a REG_DWORD; logs on success.
    void setRegistryDword(platform::Hive root, const QString& subKey, const QString& name, std::uint32_t value);
    // The same for a REG_SZ.
    void setRegistryString(platform::Hive root, const QString& subKey, const QString& name, const QString& text);
    // setRegistryString under the current user's hive.
    void setUserRegistryString(const QString& subKey, const QString& name, const QString& text);

    // Sends the stop control and waits up to 3 s for the stopped state.
    bool stopServiceAndWait(const QString& name);
    // Sets the start type to disabled and, only once that was accepted, stops the service, waiting up to
    // 2 s. A service Windows refuses to change keeps running.
    ServiceDisable disableService(const QString& name);
    // StartServiceW without arguments; the outcome is not examined by any caller.
    void startService(const QString& name);
    // The service's current state (platform::ServiceState), or 0 when it cannot be opened or queried.
    std::uint32_t serviceState(const QString& name);

    // True when a running process has the executable name `name` (compared without regard to case).
    bool isProcessRunning(const QString& name);

private:
    // False when the stop was refused because services that depend on this one still run.
    bool stopWhileRunning(platform::Service& service, int limitMs);

    platform::Platform& machine_;
};
