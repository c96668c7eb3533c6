// Hostile hosts files: counting redirected sites never crashes.
#include "analysis/BrowserFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BrowserFiles::redirectedSiteLines(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    return 0;
}
