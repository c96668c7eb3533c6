#pragma once

#include <QMetaType>
#include <QString>

// What the update service offers when a newer version exists.
struct UpdateOffer {
    QString version;
    QString releaseNote;
    bool forced = false;
};

Q_DECLARE_METATYPE(UpdateOffer)
