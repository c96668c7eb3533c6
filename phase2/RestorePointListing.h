#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The system restore points, oldest first (by sequence number). Read from WMI through the platform; where
// that fails, from wmic's table, whose columns are found by the header, never by position. The H2
// confirmation and the clean-up use this same listing.
class RestorePointListing {
public:
    struct Point {
        quint32 sequenceNumber = 0;
        QString description;
    };

    explicit RestorePointListing(platform::Platform& machine);

    // False when neither WMI nor wmic could be asked.
    bool read(QVector<Point>& points);

    // The rows of `wmic path SystemRestore get ...` output; rows whose sequence number is not all digits (or
    // beyond 32 bits) are dropped.
    static QVector<Point> parseWmicTable(const QByteArray& output);

private:
    platform::Platform& machine_;
};
