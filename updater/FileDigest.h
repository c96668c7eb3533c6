#pragma once

#include <QByteArray>
#include <QString>

// The SHA-256 digest of a file on the stick, read in blocks so that a large DLL costs little memory.
namespace fileDigest
{

// The digest of the plain file at `path`, or an empty array when it is missing, a link or unreadable.
QByteArray sha256(const QString& path);

} // namespace fileDigest
