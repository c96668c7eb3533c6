// Hostile `bcdedit /enum osloader` listings and root folder names, the two signs of a second Windows. A loader
// block takes a heading and its underline, so there are at most half as many blocks as lines; a folder counts as
// an installation only when its name holds "windows" or "winnt" and does not start with "$".
#include "engine/DualBootSigns.h"
#include "text/ConsoleText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = ConsoleText::lines(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    const int blocks = DualBootSigns::loaderBlocks(lines);
    if (blocks < 0 || blocks > lines.size() / 2)
        std::abort();
    for (const QString& name : lines) {
        if (!DualBootSigns::isInstallationFolder(name))
            continue;
        const QString lowered = name.toLower();
        if (lowered.startsWith(QLatin1Char('$')) ||
            !(lowered.contains(QLatin1String("windows")) || lowered.contains(QLatin1String("winnt"))))
            std::abort();
    }
    return 0;
}
