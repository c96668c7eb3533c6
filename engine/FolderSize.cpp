#include "engine/FolderSize.h"

#include "engine/WindowsPath.h"

qint64 FolderSize::bytesBelow(platform::Platform& machine, const std::wstring& folder)
{
    qint64 total = 0;
    machine.files.list(folder, [&](const platform::FileEntry& entry) {
        if (entry.isLink() || entry.isPlaceholder())
            return true;
        if (entry.isDirectory() && WindowsPath::isPlainName(entry.name))
            total += bytesBelow(machine, folder + L"\\" + entry.name);
        else
            total += static_cast<qint64>(entry.size);
        return true;
    });
    return total;
}
