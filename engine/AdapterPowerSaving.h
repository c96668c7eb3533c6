#pragma once

#include <QtGlobal>

class StageCore;

// Stops Windows from switching network adapters off to save power: PnPCapabilities = 24 in the driver key
// of every present network-class device, once the machine is known to have adapters. Left alone on a
// notebook running on its battery. Writes no log line.
class AdapterPowerSaving {
public:
    explicit AdapterPowerSaving(StageCore& core);
    void apply();

    static constexpr quint32 kPnPCapabilities = 24;

private:
    bool hasAdapters() const;

    StageCore& core_;
};
