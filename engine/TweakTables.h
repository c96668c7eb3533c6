#pragma once

#include "engine/RegistryTweak.h"

#include <QVector>

#include <cstddef>

// The fixed changes of the system-settings and privacy stages, as data. Adding a change is adding a row.
namespace TweakTables {

// A visual setting with the progress update that announces it.
struct VisualTweak {
    int percent;
    const char* status; // UTF-8
    RegistryTweak value;
};

// Why a service of the first list may be kept on this machine. BiometricOrNoBattery keeps it on any machine
// with a present biometric device (fingerprint or face sign-in needs it) and on one without a battery.
enum class KeepWhen { Never, VirtualPrinter, BiometricOrNoBattery, DomainJoined };

struct ServiceTweak {
    const char* name;
    bool windows10Only;
    bool skipOnWindows7;
    KeepWhen keepWhen;
    const char* keptLine; // UTF-8, logged when the service is kept
};

struct LegacyServiceTweak {
    const char* name;
    bool passedOverOnWindows7;
};

struct TelemetryTask {
    const char* folder; // with its trailing backslash
    const char* name;
};

extern const VisualTweak kVisualTweaks[4];
extern const ServiceTweak kServices[6];
extern const LegacyServiceTweak kLegacyServices[14];
extern const TelemetryTask kTelemetryTasks[5];
extern const RegistryTweak kCeipValue;
extern const RegistryTweak kPrivacyValues[5];

// Every registry value of the tables above, in table order.
QVector<const RegistryTweak*> registryTweaks();

} // namespace TweakTables
