#include "update/ReleaseManifest.h"

#include "platform/Signature.h"
#include "update/ReleasePath.h"
#include "update/UpdateReply.h"
#include "update/VersionNumber.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

const char* const kTooLarge = "更新信息过大，已拒绝这次更新。电脑上的程序没有改动，请稍后再试。";
const char* const kBadSignature =
    "更新信息的签名不对，可能在传送中被改过，已拒绝这次更新。电脑上的程序没有改动，请稍后再试或联系客服。";
const char* const kNoCryptography =
    "无法检查更新信息的签名（系统的加密组件不可用），已拒绝这次更新。电脑上的程序没有改动。";
const char* const kMalformed = "更新信息的格式不对，已拒绝这次更新。电脑上的程序没有改动，请稍后再试。";
const char* const kBadPath = "更新信息里有不允许的文件路径“%1”，已拒绝这次更新。电脑上的程序没有改动，请联系客服。";
const char* const kNotNewer = "服务器上的版本 V%1 不比当前的 V%2 新，无需更新。";

ReleaseReading refused(const char* text)
{
    return {std::nullopt, QString::fromUtf8(text)};
}

std::string bytes(const QByteArray& data)
{
    return std::string(data.constData(), size_t(data.size()));
}

std::optional<qint64> wholeSize(const QJsonValue& value)
{
    const double size = value.toDouble(-1);
    if (!value.isDouble() || size < 0 || size > ReleaseManifest::kMaxFileBytes || std::floor(size) != size)
        return std::nullopt;
    return qint64(size);
}

bool isHexDigit(QChar c)
{
    const char latin = c.toLatin1();
    return (latin >= '0' && latin <= '9') || (latin >= 'a' && latin <= 'f') || (latin >= 'A' && latin <= 'F');
}

std::optional<QByteArray> sha256(const QJsonValue& value)
{
    const QString hex = value.toString();
    constexpr int kHexDigits = 64;
    if (hex.size() != kHexDigits || !std::all_of(hex.begin(), hex.end(), isHexDigit))
        return std::nullopt;
    return QByteArray::fromHex(hex.toLatin1());
}

std::optional<ReleaseFile> fileEntry(const QJsonValue& value)
{
    const QJsonObject entry = value.toObject();
    const std::optional<qint64> size = wholeSize(entry.value(QStringLiteral("size")));
    const std::optional<QByteArray> digest = sha256(entry.value(QStringLiteral("sha256")));
    const QJsonValue path = entry.value(QStringLiteral("path"));
    if (!value.isObject() || !path.isString() || !size || !digest)
        return std::nullopt;
    return ReleaseFile{path.toString(), *size, *digest};
}

bool readHeader(const QJsonObject& root, ReleaseManifest& manifest)
{
    const QJsonValue version = root.value(QStringLiteral("version"));
    const QJsonValue note = root.value(QStringLiteral("releaseNote"));
    const QJsonValue forced = root.value(QStringLiteral("forceUpdate"));
    if (!version::isPlain(version.toString()) || !(note.isUndefined() || note.isString()) ||
        note.toString().size() > updatereply::kMaxNoteLength || !(forced.isUndefined() || forced.isBool()))
        return false;
    manifest.version = version.toString();
    manifest.releaseNote = note.toString();
    manifest.forced = forced.toBool();
    return true;
}

} // namespace

ReleaseReading ReleaseManifest::read(const QByteArray& json, const QByteArray& signature, const QByteArray& publicKey,
                                     const QString& runningVersion)
{
    if (json.size() > kMaxManifestBytes || signature.size() > kMaxSignatureBytes)
        return refused(kTooLarge);
    const auto decoded = QByteArray::fromBase64Encoding(signature.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return refused(kBadSignature);
    switch (platform::verifyP256Signature(bytes(publicKey), bytes(json), bytes(*decoded))) {
    case platform::SignatureCheck::Valid:
        return parse(json, runningVersion);
    case platform::SignatureCheck::Unavailable:
        return refused(kNoCryptography);
    default:
        return refused(kBadSignature);
    }
}

ReleaseReading ReleaseManifest::parse(const QByteArray& json, const QString& runningVersion)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    const QJsonArray files = document.object().value(QStringLiteral("files")).toArray();
    ReleaseManifest manifest;
    if (!document.isObject() || !readHeader(document.object(), manifest) || files.isEmpty() || files.size() > kMaxFiles)
        return refused(kMalformed);
    QSet<QString> seen;
    for (const QJsonValue& value : files) {
        const std::optional<ReleaseFile> file = fileEntry(value);
        if (!file)
            return refused(kMalformed);
        if (!releasepath::isAllowed(file->path) || seen.contains(file->path.toLower()))
            return {std::nullopt, QString::fromUtf8(kBadPath).arg(file->path)};
        seen.insert(file->path.toLower());
        manifest.files.append(*file);
    }
    if (!seen.contains(QLatin1String(kProgramFile)))
        return refused(kMalformed);
    if (version::compare(manifest.version, runningVersion) <= 0)
        return {std::nullopt, QString::fromUtf8(kNotNewer).arg(manifest.version, runningVersion)};
    return {manifest, QString()};
}
