#include "app/Phase2Selection.h"

namespace {

QString titleOf(const QString& id, const ScanReportBundle& report)
{
    if (id.startsWith(QLatin1String("ST:")))
        return id.section(QLatin1Char(':'), 2);
    if (!id.startsWith(QLatin1String("RES:")))
        return id;
    for (const auto& hit : report.junkSoftware) {
        if (hit.id == id.mid(4))
            return (hit.nameCn.isEmpty() ? hit.name : hit.nameCn) + QStringLiteral(" 残留文件");
    }
    return id;
}

} // namespace

QVector<OptItem> Phase2Selection::fromIds(const QStringList& ids, const ScanReportBundle& report)
{
    QVector<OptItem> items;
    for (const QString& id : ids) {
        OptItem item;
        item.id = id;
        item.title = titleOf(id, report);
        items.append(item);
    }
    return items;
}
