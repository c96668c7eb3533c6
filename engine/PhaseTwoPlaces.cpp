#include "engine/PhaseTwoPlaces.h"

#include "text/ConsoleText.h"

#include <QRegularExpression>

namespace {

struct ServiceRow {
    const char* id;
    const char* service;
};

const ServiceRow kServices[] = {
    {"C13", "TrkWks"},      {"C10", "WwanSvc"}, {"C11", "SensrSvc"}, {"C14", "FrameServer"},
    {"C8", "BthServ"},      {"C1", "WSearch"},  {"C12", "wlidsvc"},  {"C9", "Spooler"},
};

} // namespace

QString PhaseTwoPlaces::manualStartServiceOf(const QString& id)
{
    for (const auto& row : kServices) {
        if (id == QLatin1String(row.id))
            return QLatin1String(row.service);
    }
    return {};
}

bool PhaseTwoPlaces::isManualStartService(const QString& service)
{
    for (const auto& row : kServices) {
        if (service.compare(QLatin1String(row.service), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool PhaseTwoPlaces::isLimitedEventLog(const QString& name)
{
    for (const char* log : kLimitedEventLogs) {
        if (name == QLatin1String(log))
            return true;
    }
    return false;
}

qint64 PhaseTwoPlaces::eventLogMaxSizeOf(const QByteArray& output)
{
    static const QRegularExpression line(QStringLiteral("^\\s*maxSize:\\s*(\\d{1,18})\\s*$"));
    for (const QString& text : ConsoleText::lines(output)) {
        const auto match = line.match(text);
        if (match.hasMatch())
            return match.captured(1).toLongLong();
    }
    return -1;
}
