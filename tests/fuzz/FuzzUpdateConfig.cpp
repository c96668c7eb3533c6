// Hostile updater.config: whatever the file holds, the check asks an absolute http or https address with a
// host, one that reads back as itself, and sends a device code that is not empty and holds no control character.
#include "update/UpdateConfig.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const UpdateConfig config =
        UpdateConfig::fromJson(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    const QUrl sent(QString::fromUtf8(config.url.toEncoded()), QUrl::StrictMode);
    if (!isWebAddress(config.url) || !isWebAddress(sent) || sent.host() != config.url.host())
        std::abort();
    if (config.deviceCode.isEmpty())
        std::abort();
    for (QChar c : config.deviceCode) {
        if (c.category() == QChar::Other_Control)
            std::abort();
    }
    return 0;
}
