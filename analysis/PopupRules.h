#pragma once

#include "analysis/FileTrust.h"

#include <QString>
#include <QStringList>

// The pure rules of the pop-up window analysis.
namespace PopupRules {

// Shell and desktop windows (class names of Explorer's own windows) are never examined.
bool isShellClass(const QString& className);

// The lower-cased title contains one of the advertising words.
bool isAdvertisingTitle(const QString& title);

// Well-known programs by image-name prefix (any case), and the database's whitelisted process names.
bool isTrustedProcess(const QString& processName, const QStringList& whitelistProcessNames);

// Why a window is suspicious, or empty when it is not. Each later rule replaces an earlier reason: a
// temporary folder, then an advertising title, then (for a known path) a missing signature; a signed
// program is never suspicious. A signature that cannot be checked gives no reason of its own.
QString reason(const QString& imagePath, const QString& title, FileTrust::Verdict trust);

} // namespace PopupRules
