#pragma once

#include "analysis/AdwarePattern.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The junk-software signatures: one process-wide object, created empty on first use and kept until the
// process ends. It is loaded from the "signatures" folder beside the program; the analysis step loads it
// only while it is not loaded, so a successful load serves every later run of the process and a failed one
// is tried again. Loading and reading happen on the engine's one worker thread, so no lock is taken.
class SignatureDatabase {
public:
    static SignatureDatabase& instance();

    // (Re)loads "adware.json" and the optional "whitelist.json" from `directory`. False when "adware.json"
    // cannot be read or is not valid JSON; `loaded` tells whether at least one signature came of it.
    bool load(const QString& directory);

    bool loaded = false;
    QString version;
    QVector<AdwarePattern> patterns;
    QStringList whitelistFilePaths;
    QStringList whitelistProcessNames;
    QStringList whitelistPatternIds;

    // A signature file is small; anything larger than this is not one and is read only up to here.
    static constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;
};
