// Hostile start-up command lines: the extracted program is always a part of the command, or a part with
// ".exe" appended where Windows would append it.
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
    // Every third length names a file, so that both the prefixes and the fallback are reached.
    const QString resolved = executableOf(command, [](const QString& path) { return path.size() % 3 == 0; });
    const QString exe = QStringLiteral(".exe");
    if (!command.contains(resolved) && !(resolved.endsWith(exe) && command.contains(resolved.chopped(exe.size()))))
        std::abort();
    return 0;
}
