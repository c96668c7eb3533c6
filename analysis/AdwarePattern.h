#pragma once

#include <QString>
#include <QStringList>

// One junk-software signature as the signature file describes it. `removalNotes` and `registryKeys` are kept
// for people reading the database; no detection uses them.
struct AdwarePattern {
    QString id;
    QString name;
    QString nameCn;
    QString category;
    QString riskLevel;
    QString description;
    QString removalNotes;
    QStringList uninstallKeys;
    QStringList registryKeys;
    QStringList filePaths;
    QStringList processNames;
    QStringList serviceNames;
    QStringList startupNames;
};
