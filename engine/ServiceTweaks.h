#pragma once

#include "engine/SystemChanges.h"
#include "engine/TweakTables.h"

#include <QString>

class StageCore;

// Disables the rarely used services of the two fixed lists, keeping those this machine still needs. Each
// service is handled on its own: a failure, even an exception, only skips that service. "WbioSrvc" is never
// disabled on a machine with a present biometric device (setup class Biometric). A service Windows protects
// keeps its start type and keeps running, and the log line says so.
class ServiceTweaks {
public:
    static constexpr const wchar_t* kBiometricClass = L"{53D29EF7-377C-4D14-864B-EB3A85769359}";

    explicit ServiceTweaks(StageCore& core);
    void apply();

private:
    bool isProcessed(const TweakTables::ServiceTweak& service) const;
    bool isKept(const TweakTables::ServiceTweak& service, bool virtualPrinter) const;
    bool hasBiometricDevice() const;
    void disableFirstList(const QString& name);
    void disableLegacy(const QString& name);
    static void report(const QString& list, const QString& name, ServiceDisable outcome, const QString& skipped);

    StageCore& core_;
};
