// Hostile wmic /value answers to the device identity's questions: the value read is trimmed, lies on one line,
// and follows "ProcessorId=" at the start of a line of the answer.
#include "identity/DeviceIdentity.h"
#include "text/ConsoleText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray output(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QString value = wmicValue(output, QStringLiteral("ProcessorId"));
    if (value != value.trimmed() || value.contains(QLatin1Char('\n')))
        std::abort();
    if (!value.isEmpty() && !(QLatin1Char('\n') + ConsoleText::decode(output)).contains(QStringLiteral("\nProcessorId=")))
        std::abort();
    return 0;
}
