#include "engine/SsdDetector.h"

#include "engine/ConsoleTool.h"
#include "text/ConsoleText.h"
#include "text/PlatformText.h"

SsdDetector::SsdDetector(platform::Platform& machine)
    : machine_(machine)
{
}

bool SsdDetector::detectSsd(const QString& systemDrive)
{
    bool incursSeekPenalty = true;
    if (platform::succeeded(machine_.devices.seekPenalty(toWString(systemDrive.left(2)), incursSeekPenalty)))
        return !incursSeekPenalty;
    return askWmic(systemDrive);
}

bool SsdDetector::askWmic(const QString& systemDrive)
{
    const QString letter = systemDrive.left(1).toUpper();
    const QStringList arguments = {
        QStringLiteral("diskdrive"), QStringLiteral("where"),
        QStringLiteral("MediaType like '%SSD%' and DeviceID like '%") + letter + QStringLiteral("%'"),
        QStringLiteral("get"), QStringLiteral("MediaType")};
    const ConsoleTool::Outcome outcome = ConsoleTool::run(machine_, QStringLiteral("wmic"), arguments, kWmicWaitMs);
    return outcome.succeeded() && answersSsd(ConsoleText::lines(outcome.output));
}

bool SsdDetector::answersSsd(const QStringList& lines)
{
    // An answer is the column heading "MediaType" and the values below it; anything else (an error, an
    // echo of the query, which itself holds "SSD") is no answer.
    bool underHeading = false;
    for (const QString& line : lines) {
        const QString value = line.trimmed();
        if (underHeading && value.contains(QLatin1String("SSD"), Qt::CaseInsensitive))
            return true;
        underHeading = underHeading || value.compare(QLatin1String("MediaType"), Qt::CaseInsensitive) == 0;
    }
    return false;
}
