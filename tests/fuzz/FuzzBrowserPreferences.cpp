// Hostile Chrome / Edge preference files: reading the homepage and the search keyword never crashes.
#include "analysis/BrowserFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    BrowserFiles::chromiumHomepage(bytes);
    BrowserFiles::jsonString(bytes, {QStringLiteral("default_search_provider"), QStringLiteral("keyword")});
    return 0;
}
