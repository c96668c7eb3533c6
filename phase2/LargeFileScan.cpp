#include "phase2/LargeFileScan.h"

#include "text/PlatformText.h"

#include <vector>

using namespace platform;

LargeFileScan::LargeFileScan(Platform& machine)
    : machine_(machine)
{
}

ItemResult LargeFileScan::run()
{
    std::wstring directory;
    std::wstring drive = L"C:";
    if (succeeded(machine_.systemInfo.systemDirectory(directory)) && directory.size() >= 2)
        drive = directory.substr(0, 2);
    walk(drive + L"\\");
    const QString partNote = QStringLiteral("（文件数超过 %1，仅扫描了一部分）").arg(kFileLimit);
    if (lines_.isEmpty())
        return ItemResult::unchanged(QStringLiteral("大文件扫描：未发现超过100MB的大文件") + (partial_ ? partNote : QString()));
    QString result = QStringLiteral("大文件扫描：\n") + lines_.join(QLatin1Char('\n'));
    if (partial_)
        result += QLatin1Char('\n') + partNote;
    return ItemResult::unchanged(result);
}

void LargeFileScan::walk(const std::wstring& folder)
{
    std::vector<std::wstring> subFolders;
    const std::wstring prefix = folder.back() == L'\\' ? folder : folder + L'\\';
    machine_.files.list(folder, [&](const FileEntry& entry) {
        if (entry.isLink() || entry.isPlaceholder() ||
            (entry.attributes & (FileAttribute::Hidden | FileAttribute::System)))
            return true;
        if (entry.isDirectory()) {
            subFolders.push_back(prefix + entry.name);
            return true;
        }
        if (++visited_ > kFileLimit) {
            partial_ = true;
            return false;
        }
        if (entry.size > kLargeBytes)
            lines_.append(QStringLiteral("%1 (%2 MB)")
                              .arg(toQString(prefix + entry.name), QString::number(entry.size / 1048576)));
        return lines_.size() < kLineLimit;
    });
    for (const auto& sub : subFolders) {
        if (partial_ || lines_.size() >= kLineLimit)
            return;
        walk(sub);
    }
}
