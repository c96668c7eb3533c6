#pragma once

#include "ui/phase2/GroupCard.h"
#include "ui/phase2/Phase2Page.h"

#include <QCheckBox>

// The check box of the item with this id on the page, or null when its row has none.
inline QCheckBox* itemBox(const Phase2Page& page, const QString& id)
{
    for (int g = 0; g < page.groups().size(); ++g) {
        const QVector<OptItem>& items = page.groups().at(g).items;
        for (int i = 0; i < items.size(); ++i) {
            if (items.at(i).id == id)
                return page.card(g)->findChild<QWidget*>(QStringLiteral("itemRow_%1").arg(i))->findChild<QCheckBox*>();
        }
    }
    return nullptr;
}
