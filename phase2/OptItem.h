#pragma once

#include <QMetaType>
#include <QString>
#include <QVector>

// One phase-2 item. The id is the key the executor dispatches on: fixed items use short codes ("C13", "A2",
// "H2"), report-derived ones the prefixes "HJ_", "ST:", "ADW_", "RES:" and "FAM_"; placeholders have none.
struct OptItem {
    QString id;
    QString title;
    QString description;
    int riskLevel = 0; // 0 slight, 1 mild, 2 moderate
    QString riskText;
    bool infoOnly = false;
    QString confirmType; // "C9", "A2" or "H2" for items that ask before they are ticked
    QString tag;
};

// One group of the catalogue; indices 0 to 6 are stable.
struct OptGroup {
    QString icon;
    QString title;
    QString description;
    QVector<OptItem> items;
};

Q_DECLARE_METATYPE(OptItem)
Q_DECLARE_METATYPE(QVector<OptItem>)
