// Hostile signature files: whatever bytes adware.json or whitelist.json hold, loading them never crashes.
#include "analysis/SignatureFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    SignatureFile::Patterns patterns;
    SignatureFile::parsePatterns(bytes, patterns);
    SignatureFile::parseWhitelist(bytes);
    return 0;
}
