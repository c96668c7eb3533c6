#pragma once

#include "update/ReleaseFile.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

struct ReleaseReading;

// The list of files of a published release ("manifest.json" beside them, signed in "manifest.sig"): a JSON
// object with "version", "releaseNote", "forceUpdate" and "files", an array of {"path", "size", "sha256"}.
// It comes over a network the program does not trust, so it is believed only when the maker's key signed
// its exact bytes, and it is refused as a whole when any part of it is out of bounds: a release that is
// only partly acceptable is not installed in part.
class ReleaseManifest
{
public:
    static constexpr qint64 kMaxManifestBytes = 1024 * 1024;
    static constexpr qint64 kMaxSignatureBytes = 1024 * 1024;
    static constexpr int kMaxFiles = 10000;
    static constexpr qint64 kMaxFileBytes = qint64(1) << 30;
    // The release must carry the program, or the updated stick could not start.
    static constexpr const char* kProgramFile = "tidewell.exe";

    QString version;
    QString releaseNote;
    bool forced = false;
    QVector<ReleaseFile> files;

    // `signature` is the text of manifest.sig: the base64 of r then s, 32 bytes each; `publicKey` the raw
    // 65-byte point (UpdateConfig::publicKey). Checks the sizes, then the signature over the exact bytes
    // of `json`, then parse().
    static ReleaseReading read(const QByteArray& json, const QByteArray& signature, const QByteArray& publicKey,
                               const QString& runningVersion);

    // The manifest in `json` with no signature check: refused unless "version" is a plain dotted number
    // newer than `runningVersion`, "releaseNote" (if present) a string of at most updatereply::kMaxNoteLength
    // characters, "forceUpdate" (if present) a boolean, and "files" 1 to kMaxFiles entries, each an
    // allowed path (releasepath::isAllowed) named once in any case, a whole size from 0 to kMaxFileBytes and
    // 64 hexadecimal digits of SHA-256, one of them kProgramFile.
    static ReleaseReading parse(const QByteArray& json, const QString& runningVersion);
};

// A manifest, or the plain-text reason it was refused, written for the user.
struct ReleaseReading {
    std::optional<ReleaseManifest> manifest;
    QString refusal;
};
