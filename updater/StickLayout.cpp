#include "updater/StickLayout.h"

#include <QDir>
#include <QFileInfo>

StickLayout::StickLayout(const QString& programFolder) : program_(QDir::cleanPath(QDir(programFolder).absolutePath()))
{
}

StickLayout StickLayout::of(const QString& folder)
{
    const StickLayout own(folder);
    for (const QString& suffix : {QStringLiteral(".backup"), QStringLiteral(".staging")}) {
        if (!own.program().endsWith(suffix))
            continue;
        const StickLayout swapped(own.program().chopped(suffix.size()));
        if (QFileInfo::exists(swapped.journal()))
            return swapped;
    }
    return own;
}

const QStringList& StickLayout::dataFolders()
{
    static const QStringList names = {QStringLiteral("config"), QStringLiteral("logs"), QStringLiteral("changes"),
                                      QStringLiteral("tools")};
    return names;
}

bool StickLayout::isInDataFolder(const QString& relativePath)
{
    const QString first = QDir::fromNativeSeparators(relativePath).section(QLatin1Char('/'), 0, 0);
    return dataFolders().contains(first, Qt::CaseInsensitive);
}
