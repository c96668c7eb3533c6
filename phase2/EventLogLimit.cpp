#include "phase2/EventLogLimit.h"

#include "engine/ConsoleTool.h"
#include "engine/PhaseTwoPlaces.h"
#include "log/RunLogger.h"

namespace {

constexpr int kWaitMs = 10000;

} // namespace

EventLogLimit::EventLogLimit(platform::Platform& machine)
    : machine_(machine)
{
}

ItemResult EventLogLimit::run(int sizeMB)
{
    const qint64 wanted = qint64(sizeMB) * 1048576;
    QStringList changed;
    QStringList unchanged;
    QStringList failed;
    for (const char* log : PhaseTwoPlaces::kLimitedEventLogs) {
        const QString name = QLatin1String(log);
        const auto current =
            ConsoleTool::run(machine_, QStringLiteral("wevtutil"), {QStringLiteral("gl"), name}, kWaitMs);
        const qint64 maximum = current.succeeded() ? PhaseTwoPlaces::eventLogMaxSizeOf(current.output) : -1;
        if (maximum < 0) {
            failed.append(name);
            continue;
        }
        if (maximum <= wanted) {
            unchanged.append(name);
            continue;
        }
        const auto set = ConsoleTool::run(machine_, QStringLiteral("wevtutil"),
                                          {QStringLiteral("sl"), name, QStringLiteral("/ms:%1").arg(wanted)}, kWaitMs);
        if (!set.succeeded()) {
            failed.append(name);
            continue;
        }
        changed.append(name);
        RunLogger::instance().log(QStringLiteral("[Phase2] 事件日志 %1 最大大小: %2 MB -> %3 MB")
                                      .arg(name, QString::number(maximum / 1048576), QString::number(sizeMB)));
    }
    QStringList parts;
    const QString separator = QStringLiteral("、");
    if (!changed.isEmpty())
        parts.append(QStringLiteral("已设为 %1 MB（%2）").arg(sizeMB).arg(changed.join(separator)));
    if (!unchanged.isEmpty())
        parts.append(QStringLiteral("%1 已不超过 %2 MB，未改动").arg(unchanged.join(separator), QString::number(sizeMB)));
    if (!failed.isEmpty())
        parts.append(QStringLiteral("%1 设置失败").arg(failed.join(separator)));
    const QString line = QStringLiteral("事件日志大小限制：") + parts.join(QStringLiteral("；"));
    if (!failed.isEmpty())
        return ItemResult::failed(line);
    return changed.isEmpty() ? ItemResult::unchanged(line) : ItemResult::changed(line);
}
