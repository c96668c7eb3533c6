// Hostile start-up command lines: the extracted program is always a part of the command.
#include "analysis/ExecutablePath.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString command = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QString program = executableOf(command);
    if (!command.contains(program))
        std::abort();
    return 0;
}
