#include "update/UpdateReply.h"

#include "update/VersionNumber.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace updatereply {

namespace {

// JSON has one number type; a code is accepted only when it is a whole number.
bool isSuccessCode(const QJsonValue& code)
{
    if (!code.isDouble())
        return false;
    const double value = code.toDouble();
    return value == 0.0 || value == 200.0;
}

// An absent member leaves `out` as it is; a present one must have the expected type.
bool readString(const QJsonObject& object, const QString& key, QString& out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return true;
    if (!value.isString())
        return false;
    out = value.toString();
    return true;
}

bool readBool(const QJsonObject& object, const QString& key, bool& out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return true;
    if (!value.isBool())
        return false;
    out = value.toBool();
    return true;
}

} // namespace

std::optional<UpdateOffer> parse(const QByteArray& body, const QString& runningVersion)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    if (!isSuccessCode(root.value(QStringLiteral("code"))))
        return std::nullopt;
    const QJsonObject data = root.value(QStringLiteral("data")).toObject();
    if (data.value(QStringLiteral("hasUpdate")) != QJsonValue(true))
        return std::nullopt;
    const QJsonObject latest = data.value(QStringLiteral("latest")).toObject();

    UpdateOffer offer;
    if (!readString(latest, QStringLiteral("version"), offer.version) ||
        !readString(latest, QStringLiteral("releaseNote"), offer.releaseNote) ||
        !readBool(data, QStringLiteral("forceUpdate"), offer.forced))
        return std::nullopt;
    if (!version::isPlain(offer.version) || offer.releaseNote.size() > kMaxNoteLength)
        return std::nullopt;
    if (version::compare(offer.version, runningVersion) <= 0)
        return std::nullopt;
    return offer;
}

} // namespace updatereply
