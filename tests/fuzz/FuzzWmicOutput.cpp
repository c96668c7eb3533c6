// Hostile wmic output (8-bit, UTF-16, any layout): reading a property's values never crashes, and every
// value it returns is trimmed, non-empty and unique.
#include "analysis/WmicOutput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList values =
        WmicOutput::values(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)), QStringLiteral("displayName"));
    for (const QString& value : values) {
        if (value.isEmpty() || value != value.trimmed() || values.count(value) != 1)
            std::abort();
    }
    return 0;
}
