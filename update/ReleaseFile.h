#pragma once

#include <QByteArray>
#include <QString>

// One file of a release as its manifest lists it.
struct ReleaseFile {
    QString path;      // relative to the program folder, '/'-separated (releasepath::isAllowed)
    qint64 size = 0;   // in bytes
    QByteArray sha256; // the 32 raw bytes of the digest
};
