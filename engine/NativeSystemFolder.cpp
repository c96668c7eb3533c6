#include "engine/NativeSystemFolder.h"

#include "text/PlatformText.h"

namespace {

// Tools of the system folder that live in one of its subfolders.
const std::pair<const char*, const char*> kToolFolders[] = {{"wmic", "wbem\\"}};

bool isSeparator(QChar ch)
{
    return ch == QLatin1Char('\\') || ch == QLatin1Char('/');
}

} // namespace

NativeSystemFolder::NativeSystemFolder(platform::Platform& machine)
{
    std::wstring directory;
    if (!platform::succeeded(machine.systemInfo.systemDirectory(directory, 260)) || directory.empty())
        return;
    const QString systemDirectory = toQString(directory);
    const int cut = systemDirectory.lastIndexOf(QLatin1Char('\\'));
    const QString windows = cut > 0 ? systemDirectory.left(cut) : systemDirectory;
    system32_ = windows + QStringLiteral("\\System32");
    bool wow64 = false;
    wow64_ = platform::succeeded(machine.systemInfo.isWow64Process(wow64)) && wow64;
    native_ = wow64_ ? windows + QStringLiteral("\\Sysnative") : systemDirectory;
}

QString NativeSystemFolder::map(const QString& path) const
{
    if (!wow64_ || !path.startsWith(system32_, Qt::CaseInsensitive) ||
        (path.size() > system32_.size() && !isSeparator(path.at(system32_.size()))))
        return path;
    return native_ + path.mid(system32_.size());
}

QString NativeSystemFolder::tool(const QString& name) const
{
    if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        return map(name);
    if (native_.isEmpty())
        return name;
    QString file = name;
    if (!file.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        file += QStringLiteral(".exe");
    for (const auto& [tool, folder] : kToolFolders) {
        if (name.compare(QLatin1String(tool), Qt::CaseInsensitive) == 0)
            file.prepend(QLatin1String(folder));
    }
    return native_ + QLatin1Char('\\') + file;
}
