#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One file of the version to install, as its verified file list names it: the path relative to the program
// folder with "/" between the parts, the exact size and the SHA-256 digest (32 raw bytes).
struct VersionFile {
    QString path;
    qint64 size = 0;
    QByteArray sha256;
};

using VersionFiles = QVector<VersionFile>;
