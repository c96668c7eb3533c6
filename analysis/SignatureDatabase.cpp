#include "analysis/SignatureDatabase.h"

#include "analysis/SignatureFile.h"

#include <QFile>

namespace {

bool readSmallFile(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.read(SignatureDatabase::kMaxFileBytes);
    return true;
}

} // namespace

SignatureDatabase& SignatureDatabase::instance()
{
    static SignatureDatabase database;
    return database;
}

bool SignatureDatabase::load(const QString& directory)
{
    loaded = false;
    version.clear();
    patterns.clear();
    whitelistFilePaths.clear();
    whitelistProcessNames.clear();
    whitelistPatternIds.clear();

    QByteArray bytes;
    SignatureFile::Patterns parsed;
    if (!readSmallFile(directory + QStringLiteral("/adware.json"), bytes) || !SignatureFile::parsePatterns(bytes, parsed))
        return false;
    version = parsed.version;
    patterns = parsed.patterns;

    QByteArray whitelistBytes;
    if (readSmallFile(directory + QStringLiteral("/whitelist.json"), whitelistBytes)) {
        const SignatureFile::Whitelist whitelist = SignatureFile::parseWhitelist(whitelistBytes);
        whitelistFilePaths = whitelist.filePaths;
        whitelistProcessNames = whitelist.processNames;
        whitelistPatternIds = whitelist.patternIds;
    }
    loaded = !patterns.isEmpty();
    return true;
}
