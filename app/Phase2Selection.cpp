#include "app/Phase2Selection.h"

#include "phase2/OptCatalogue.h"

#include <QHash>

QVector<OptItem> Phase2Selection::fromIds(const QStringList& ids, const ScanReportBundle& report)
{
    QVector<OptGroup> groups = OptCatalogue::build();
    OptCatalogue::applyReport(groups, report);
    QHash<QString, OptItem> catalogue;
    for (const OptGroup& group : groups) {
        for (const OptItem& item : group.items)
            catalogue.insert(item.id, item);
    }
    QVector<OptItem> items;
    for (const QString& id : ids) {
        OptItem item = catalogue.value(id);
        if (item.id.isEmpty()) {
            // An id the report no longer offers still reaches the executor, which says it was not found.
            item.id = id;
            item.title = id;
        }
        items.append(item);
    }
    return items;
}
