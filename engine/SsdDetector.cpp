#include "engine/SsdDetector.h"

#include "text/PlatformText.h"

namespace {

constexpr std::uint16_t kNotRotating = 1;
constexpr std::uint16_t kLowestRate = 0x0401;
constexpr std::uint16_t kHighestRate = 0xFFFE;

} // namespace

SsdDetector::SsdDetector(platform::Platform& machine)
    : machine_(machine)
{
}

SsdDetector::Medium SsdDetector::detect(const QString& systemDrive)
{
    const std::wstring drive = toWString(systemDrive.left(2));
    bool answer = false;
    if (platform::succeeded(machine_.devices.seekPenalty(drive, answer)))
        return answer ? Medium::Spinning : Medium::SolidState;
    // A spinning disk may have TRIM too (shingled recording), so only "enabled" tells anything here.
    if (platform::succeeded(machine_.devices.trimEnabled(drive, answer)) && answer)
        return Medium::SolidState;
    std::uint16_t rate = 0;
    if (platform::succeeded(machine_.devices.rotationRate(drive, rate)))
        return fromRotationRate(rate);
    return Medium::Unknown;
}

SsdDetector::Medium SsdDetector::fromRotationRate(std::uint16_t rate)
{
    if (rate == kNotRotating)
        return Medium::SolidState;
    if (rate >= kLowestRate && rate <= kHighestRate)
        return Medium::Spinning;
    return Medium::Unknown;
}
