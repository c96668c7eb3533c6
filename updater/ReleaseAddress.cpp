#include "updater/ReleaseAddress.h"

#include <QStringList>

namespace releaseAddress
{

QUrl fromCheckUrl(const QUrl& checkUrl)
{
    static const QStringList kCheckPaths = {QStringLiteral("/client/version/check"), QStringLiteral("/version/check")};
    QUrl base = checkUrl;
    base.setQuery(QString());
    base.setFragment(QString());
    QString path = base.path();
    for (const QString& checkPath : kCheckPaths) {
        if (path.endsWith(checkPath)) {
            path.chop(checkPath.size());
            break;
        }
    }
    base.setPath(path);
    return base;
}

} // namespace releaseAddress
