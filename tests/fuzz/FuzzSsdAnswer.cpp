// Hostile wmic answers about the system drive's media type: the drive counts as solid-state only when a line
// holding "SSD" follows a "MediaType" heading line.
#include "engine/SsdDetector.h"
#include "text/ConsoleText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = ConsoleText::lines(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    if (!SsdDetector::answersSsd(lines))
        return 0;
    int heading = 0;
    while (heading < lines.size() && lines.at(heading).trimmed().compare(QLatin1String("MediaType"), Qt::CaseInsensitive))
        ++heading;
    for (int i = heading + 1; i < lines.size(); ++i) {
        if (lines.at(i).contains(QLatin1String("SSD"), Qt::CaseInsensitive))
            return 0;
    }
    std::abort();
}
