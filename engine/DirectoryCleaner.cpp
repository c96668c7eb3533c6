#include "engine/DirectoryCleaner.h"

#include "text/PlatformText.h"

#include <QDateTime>

using namespace platform;

DirectoryCleaner::DirectoryCleaner(Platform& machine)
    : machine_(machine)
    , guard_(machine, GuardedDelete::ReadOnlyFiles::ClearAndRetry)
{
}

qint64 DirectoryCleaner::fileTimeSecondsAgo(qint64 seconds)
{
    constexpr qint64 kEpochDifferenceMs = 11644473600000LL;
    return (QDateTime::currentMSecsSinceEpoch() - seconds * 1000 + kEpochDifferenceMs) * 10000;
}

CleanResult DirectoryCleaner::clean(const QString& folder, const QStringList& filters, qint64 keepNewerThan)
{
    CleanResult result;
    const std::wstring root = WindowsPath::withoutTrailingSeparator(toWString(folder));
    FileEntry entry;
    if (root.empty() || root.find(L'%') != std::wstring::npos || !succeeded(machine_.files.attributes(root, entry)) ||
        !entry.isDirectory() || entry.isLink())
        return result;
    if (guard_.isProtected(root)) {
        result.refusedProtected = true;
        return result;
    }
    std::vector<std::wstring> patterns;
    for (const QString& pattern : filters)
        patterns.push_back(toWString(pattern));
    walk(root, WindowsPath::NameFilter(patterns), keepNewerThan, result);
    return result;
}

void DirectoryCleaner::walk(const std::wstring& folder, const WindowsPath::NameFilter& filter, qint64 keepNewerThan,
                            CleanResult& result)
{
    std::wstring child = folder + L'\\';
    const std::size_t base = child.size();
    machine_.files.list(folder, [&](const FileEntry& entry) {
        if (entry.isLink() || entry.isPlaceholder() || !WindowsPath::isPlainName(entry.name))
            return true;
        child.resize(base);
        child += entry.name;
        if (entry.isDirectory()) {
            walk(child, filter, keepNewerThan, result);
            return true;
        }
        if (!filter.matches(entry.name) || (keepNewerThan && entry.lastWriteTime > keepNewerThan))
            return true;
        if (guard_.removeListedFile(child, entry)) {
            result.bytes += static_cast<qint64>(entry.size);
            ++result.deleted;
        }
        return true;
    });
}
