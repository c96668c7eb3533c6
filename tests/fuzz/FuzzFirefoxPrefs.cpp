// Hostile prefs.js files: the homepage match never crashes or runs away on long or binary lines.
#include "analysis/BrowserFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BrowserFiles::firefoxHomepage(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    return 0;
}
