#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// Tells whether the system drive is a solid-state drive. The drive's own seek-penalty property is asked
// first; only when the driver does not answer it is wmic asked for the media type, and wmic counts only
// when it exited with 0 and printed the "MediaType" column with a value holding "SSD". No answer at all
// counts as a spinning disk.
class SsdDetector {
public:
    explicit SsdDetector(platform::Platform& machine);

    bool detectSsd(const QString& systemDrive);

    // wmic's output lines: true when a value under the "MediaType" heading holds "SSD".
    static bool answersSsd(const QStringList& lines);

    static constexpr int kWmicWaitMs = 5000;

private:
    bool askWmic(const QString& systemDrive);

    platform::Platform& machine_;
};
