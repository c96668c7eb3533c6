#pragma once

#include "updater/FileSource.h"
#include "updater/VersionList.h"

#include <QByteArray>

#include <functional>

// The new version's file list from the release channel: the check reply names the version, whose
// manifest.json and manifest.sig come from the release folder. The list is handed over only when the maker's
// key signed the manifest's exact bytes, the manifest names the offered version and that version is newer
// than the stick's; otherwise nothing is installed.
class SignedVersionList : public VersionList
{
public:
    // Reads the body of the check reply into `body`; false with `error` (a sentence for the user).
    using CheckReply = std::function<bool(QByteArray& body, QString& error)>;

    SignedVersionList(CheckReply checkReply, FileSource& releases, const QByteArray& publicKey,
                      const QString& runningVersion);

    bool load(NewVersion& newVersion, QString& error) override;

private:
    bool offeredVersion(QString& version, QString& error) const;
    bool fetchSmall(const QString& version, const QString& name, qint64 maxBytes, QByteArray& bytes,
                    QString& error) const;

    CheckReply checkReply;
    FileSource& releases;
    QByteArray publicKey;
    QString runningVersion;
};
