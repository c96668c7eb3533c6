#pragma once

#include <QUrl>

// The root of the release folder on the maker's static host, found from the update check's address: the
// folder serves the check reply as "client/version/check" and "version/check", so the root is that address
// without those last parts, and without a query.
namespace releaseAddress
{

QUrl fromCheckUrl(const QUrl& checkUrl);

} // namespace releaseAddress
