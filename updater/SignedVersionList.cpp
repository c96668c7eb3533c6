#include "updater/SignedVersionList.h"

#include "update/ReleaseManifest.h"
#include "update/UpdateReply.h"

#include <QBuffer>

#include <utility>

SignedVersionList::SignedVersionList(CheckReply checkReply, FileSource& releases, const QByteArray& publicKey,
                                     const QString& runningVersion)
    : checkReply(std::move(checkReply)), releases(releases), publicKey(publicKey), runningVersion(runningVersion)
{
}

bool SignedVersionList::load(NewVersion& newVersion, QString& error)
{
    QString version;
    QByteArray json;
    QByteArray signature;
    if (!offeredVersion(version, error) || !fetchSmall(version, QStringLiteral("manifest.json"), ReleaseManifest::kMaxManifestBytes, json, error)
        || !fetchSmall(version, QStringLiteral("manifest.sig"), ReleaseManifest::kMaxSignatureBytes, signature,
                       error))
        return false;
    const ReleaseReading reading = ReleaseManifest::read(json, signature, publicKey, runningVersion);
    if (!reading.manifest) {
        error = reading.refusal;
        return false;
    }
    if (reading.manifest->version != version) {
        error = QStringLiteral("新版本的文件清单写的是 %1，与服务器提供的 %2 不一致，所以没有更新。")
                    .arg(reading.manifest->version, version);
        return false;
    }
    newVersion.version = version;
    newVersion.files.clear();
    for (const ReleaseFile& file : reading.manifest->files)
        newVersion.files.append(VersionFile{file.path, file.size, file.sha256});
    return true;
}

bool SignedVersionList::offeredVersion(QString& version, QString& error) const
{
    QByteArray body;
    if (!checkReply(body, error))
        return false;
    const std::optional<UpdateOffer> offer = updatereply::parse(body, runningVersion);
    if (!offer) {
        error = QStringLiteral("服务器没有提供比 %1 更新的版本，所以没有更新。").arg(runningVersion);
        return false;
    }
    version = offer->version;
    return true;
}

bool SignedVersionList::fetchSmall(const QString& version, const QString& name, qint64 maxBytes, QByteArray& bytes,
                                   QString& error) const
{
    QBuffer sink(&bytes);
    sink.open(QIODevice::WriteOnly);
    return releases.fetch(version, name, maxBytes, sink, [](qint64) { return true; },
                          error);
}
