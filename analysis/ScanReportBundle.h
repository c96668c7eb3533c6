#pragma once

#include <QMetaType>
#include <QString>
#include <QVector>

// The detailed analysis report of one phase-1 run: a plain value passed by copy between threads.
struct ScanReportBundle {
    bool fastStartupEnabled = false;
    bool keepHibernation = false;
    bool hibernationTurnedOff = false;
    QString fastStartupReason;
    QString hibernationReason;
    QString pagefileAdvice;
    QString restoreAdvice;
    int storageFreedMB = 0;
    int uninstallResidueCount = 0;
};

Q_DECLARE_METATYPE(ScanReportBundle)
