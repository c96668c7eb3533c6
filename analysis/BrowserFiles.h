#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Pure readers of the browser and network files the checks look at. Each takes the file's bytes as found
// (at most a few MiB, possibly hostile) and never fails: what cannot be understood reads as nothing.
namespace BrowserFiles {

// The string at `keys` below the root object of a JSON document; empty for invalid JSON, a missing member,
// an intermediate value that is not an object or a final value that is not a string.
QString jsonString(const QByteArray& json, const QStringList& keys);

// The Chrome / Edge homepage: the top-level string "homepage" where these browsers keep it, or the string
// "homepage" inside a top-level object "homepage" where a preferences file nests it.
QString chromiumHomepage(const QByteArray& preferences);

// Captured address of the first user_pref("browser.startup.homepage", "...") of a Firefox prefs.js.
QString firefoxHomepage(const QByteArray& prefsJs);

// Lines of a hosts file whose first host name redirects a popular site.
int redirectedSiteLines(const QByteArray& hosts);

} // namespace BrowserFiles
