#include "startup/StartupFolderFiles.h"

#include "text/PlatformText.h"

QStringList StartupFolderFiles::list(platform::Platform& machine, const std::wstring& folder)
{
    QStringList names;
    machine.files.list(folder, [&names](const platform::FileEntry& file) {
        const QString name = toQString(file.name);
        if (!file.isDirectory() && !file.isLink() &&
            name.compare(QLatin1String("desktop.ini"), Qt::CaseInsensitive) != 0)
            names.append(name);
        return true;
    });
    return names;
}
