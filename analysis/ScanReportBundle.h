#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

// One start-up entry of the deep start-up analysis. `sourceType` is the fixed source number that phase 2
// builds item ids from and dispatches on (1..7, 9..13; 8 is unused).
struct StartupScanItem {
    QString name;
    QString command;
    QString source;
    int sourceType = 0;
    int score = 0;
    int riskLevel = 0;
    bool hijacked = false;
    bool canDisable = false;
    QString riskLabel;
};

// One matched junk-software signature, labelled with the first detection place that found it.
struct JunkSoftwareHit {
    QString id;
    QString name;
    QString nameCn;
    QString category;
    QString riskLevel;
    QString dimension;
    QString description;
    QStringList evidencePaths;
};

// One browser or network check result; normal settings with a value are kept too.
struct BrowserCheckItem {
    QString scope;
    QString item;
    QString value;
    QString expected;
    bool abnormal = false;
    QString note;
};

// One suspicious visible window.
struct PopupWindowItem {
    QString processName;
    QString windowTitle;
    int pid = 0;
    bool isSigned = false;
    bool isSuspicious = true;
    QString reason;
};

// One conflict or advice record.
struct ConflictAdvice {
    QString category;
    QString title;
    QString detail;
    QString suggestion;
};

// The detailed analysis report of one phase-1 run: a plain value passed by copy between threads. The last
// nine members are copies of what the storage analysis and the residue count decided earlier in the run.
struct ScanReportBundle {
    QVector<StartupScanItem> startupItems;
    QVector<JunkSoftwareHit> junkSoftware;
    QVector<BrowserCheckItem> browserItems;
    QVector<PopupWindowItem> popupWindows;
    QVector<ConflictAdvice> conflicts;
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

// Registers the report under the name "ScanReportBundle" so that queued calls can carry it by copy.
// Idempotent; returns the meta-type id.
int registerScanReportBundle();
