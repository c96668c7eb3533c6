#pragma once

#include "updater/VersionList.h"

// The file list of a release channel this build cannot check: it refuses every update, so that nothing is
// ever installed from a list whose origin is unproven.
class UnavailableVersionList : public VersionList
{
public:
    bool load(NewVersion& newVersion, QString& error) override;
};
