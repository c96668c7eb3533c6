// Hostile `wevtutil gl` answers: the log's maximum size is -1 (none) or a size written after "maxSize:" on a line of the answer.
#include "engine/PhaseTwoPlaces.h"
#include "text/ConsoleText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray output(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const qint64 maximum = PhaseTwoPlaces::eventLogMaxSizeOf(output);
    if (maximum == -1)
        return 0;
    const QString text = ConsoleText::lines(output).join(QLatin1Char('\n'));
    if (maximum < 0 || !text.contains(QStringLiteral("maxSize:")) || !text.contains(QString::number(maximum)))
        std::abort();
    return 0;
}
