#pragma once

#include "platform/Platform.h"

#include <QString>

#include <cstdint>

// Tells what kind of medium holds the system drive, from what the drive itself answers: its seek-penalty
// property, else its TRIM property (Windows 7 has no seek-penalty property), else the rotation rate its ATA
// identify data gives. A drive that answers none of them, or answers only "no TRIM" and no rotation rate,
// is of an unknown medium: a guess would decide whether a solid-state drive gets defragmented.
class SsdDetector {
public:
    enum class Medium { SolidState, Spinning, Unknown };

    explicit SsdDetector(platform::Platform& machine);

    Medium detect(const QString& systemDrive);

    // The medium an ATA nominal media rotation rate names: 1 is a solid-state drive, 0x0401..0xFFFE are
    // revolutions a minute, anything else says nothing.
    static Medium fromRotationRate(std::uint16_t rate);

private:
    platform::Platform& machine_;
};
