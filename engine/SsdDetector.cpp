#include "engine/SsdDetector.h"

#include "engine/ConsoleText.h"
#include "engine/ConsoleTool.h"
#include "engine/PlatformText.h"

SsdDetector::SsdDetector(platform::Platform& machine)
    : machine_(machine)
{
}

bool SsdDetector::detectSsd(const QString& systemDrive)
{
    bool isSsd = false;
    if (askWmic(systemDrive, isSsd))
        return isSsd;
    return askDrive(systemDrive);
}

bool SsdDetector::askWmic(const QString& systemDrive, bool& isSsd)
{
    const QString letter = systemDrive.left(1).toUpper();
    const QStringList arguments = {
        QStringLiteral("diskdrive"), QStringLiteral("where"),
        QStringLiteral("MediaType like '%SSD%' and DeviceID like '%") + letter + QStringLiteral("%'"),
        QStringLiteral("get"), QStringLiteral("MediaType")};
    const ConsoleTool::Outcome outcome = ConsoleTool::run(machine_, QStringLiteral("wmic"), arguments, kWmicWaitMs);
    const QString text = ConsoleText::decode(outcome.output);
    if (outcome.status != platform::ErrorSuccess || text.trimmed().isEmpty())
        return false;
    isSsd = text.contains(QLatin1String("SSD"), Qt::CaseInsensitive);
    return true;
}

bool SsdDetector::askDrive(const QString& systemDrive)
{
    bool incursSeekPenalty = true;
    if (!platform::succeeded(machine_.devices.seekPenalty(toWString(systemDrive.left(2)), incursSeekPenalty)))
        return false;
    return !incursSeekPenalty;
}
