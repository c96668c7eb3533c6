#include "updater/FileDigest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace fileDigest
{

QByteArray sha256(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return hash.addData(&file) ? hash.result() : QByteArray();
}

} // namespace fileDigest
