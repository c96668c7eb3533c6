#pragma once

#include "engine/TweakTables.h"

#include <QString>

class OptimizeCore;

// Disables the rarely used services of the two fixed lists, keeping those this machine still needs. Each
// service is handled on its own: a failure, even an exception, only skips that service.
class ServiceTweaks {
public:
    explicit ServiceTweaks(OptimizeCore& core);
    void apply();

private:
    bool isProcessed(const TweakTables::ServiceTweak& service) const;
    bool isKept(const TweakTables::ServiceTweak& service, bool virtualPrinter) const;
    void disableFirstList(const QString& name);
    void disableLegacy(const QString& name);

    OptimizeCore& core_;
};
