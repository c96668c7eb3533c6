#pragma once

#include <QtGlobal>

class OptimizeCore;

// Stops Windows from switching network adapters off to save power: PnPCapabilities = 24 in the driver key
// of every present network-class device, once the machine is known to have adapters. Left alone on a
// notebook running on its battery. Writes no log line.
class AdapterPowerSaving {
public:
    explicit AdapterPowerSaving(OptimizeCore& core);
    void apply();

    static constexpr quint32 kPnPCapabilities = 24;

private:
    bool hasAdapters() const;

    OptimizeCore& core_;
};
