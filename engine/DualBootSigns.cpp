#include "engine/DualBootSigns.h"

namespace {

const char* const kUpgradeLeftovers[] = {"windows.old", "windows10upgrade"};

bool isUnderline(const QString& line)
{
    const QString text = line.trimmed();
    return text.size() >= 3 && text.count(QLatin1Char('-')) == text.size();
}

} // namespace

namespace DualBootSigns {

bool isInstallationFolder(const QString& name)
{
    const QString lowered = name.toLower();
    if (lowered.startsWith(QLatin1Char('$')))
        return false;
    for (const char* leftover : kUpgradeLeftovers) {
        if (lowered == QLatin1String(leftover))
            return false;
    }
    return lowered.contains(QLatin1String("windows")) || lowered.contains(QLatin1String("winnt"));
}

int loaderBlocks(const QStringList& lines)
{
    int blocks = 0;
    for (int i = 1; i < lines.size(); ++i) {
        if (isUnderline(lines.at(i)) && !lines.at(i - 1).trimmed().isEmpty() && !isUnderline(lines.at(i - 1)))
            ++blocks;
    }
    return blocks;
}

} // namespace DualBootSigns
