#include "update/UpdateConfig.h"

#include "platform/Signature.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The file is a few lines written by hand; anything bigger is not one.
constexpr qint64 kMaxFileBytes = 64 * 1024;

QString stringMember(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("https") || scheme == QLatin1String("http")) &&
           !url.host().isEmpty();
}

void applyUrl(UpdateConfig& config, const QString& text)
{
    if (text.isEmpty())
        return;
    const QUrl url(text, QUrl::StrictMode);
    if (isWebAddress(url))
        config.url = url;
}

void applyPublicKey(UpdateConfig& config, const QString& text)
{
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (decoded && decoded.decoded.size() == int(platform::kP256PublicKeyBytes) && decoded.decoded.at(0) == 0x04)
        config.publicKey = *decoded;
}

bool hasControlCharacter(const QString& text)
{
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

UpdateConfig UpdateConfig::fromJson(const QByteArray& json)
{
    UpdateConfig config;
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return config;
    const QJsonObject object = document.object();
    const QString base = stringMember(object, "base_url");
    if (!base.isEmpty())
        applyUrl(config, base + QStringLiteral("/version/check"));
    applyUrl(config, stringMember(object, "update_url"));
    const QString deviceCode = stringMember(object, "device_code");
    if (!deviceCode.isEmpty() && !hasControlCharacter(deviceCode))
        config.deviceCode = deviceCode;
    applyPublicKey(config, stringMember(object, "public_key"));
    return config;
}

UpdateConfig UpdateConfig::load(const QString& appDir)
{
    QFile file(appDir + QLatin1Char('/') + QLatin1String(kFileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return UpdateConfig();
    return fromJson(file.read(kMaxFileBytes));
}
