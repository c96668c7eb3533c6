#pragma once

#include "platform/Platform.h"

#include <QString>

// Tells whether the system drive is a solid-state drive. wmic is asked first, as the media type it reports;
// where wmic is missing (recent Windows 11), hangs or says nothing, the drive's own seek-penalty property
// answers instead. No answer at all counts as a spinning disk.
class SsdDetector {
public:
    explicit SsdDetector(platform::Platform& machine);

    bool detectSsd(const QString& systemDrive);

    static constexpr int kWmicWaitMs = 5000;

private:
    // Whether wmic answered at all (it is missing, timed out or printed nothing otherwise); its answer in
    // `isSsd`.
    bool askWmic(const QString& systemDrive, bool& isSsd);
    bool askDrive(const QString& systemDrive);

    platform::Platform& machine_;
};
