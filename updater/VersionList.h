#pragma once

#include "updater/VersionFile.h"

#include <QString>

// The version to install and the list of its files.
struct NewVersion {
    QString version;
    VersionFiles files;
};

// Where the new version's file list comes from; it hands the list over only once it is proven to come
// from the maker and the version is newer than the stick's. load() may block on the network; the updater
// calls it on its staging thread.
class VersionList
{
public:
    virtual ~VersionList() = default;

    // False with `error` (a sentence for the user) when no verified list could be had.
    virtual bool load(NewVersion& newVersion, QString& error) = 0;
};
