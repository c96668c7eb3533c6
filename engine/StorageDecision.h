#pragma once

#include <QString>

// What the storage stage measured: whole gibibytes (bytes >> 30) and the machine facts it weighs.
struct StorageFacts {
    qint64 ramGB = 0;
    qint64 totalGB = 0;
    qint64 freeGB = 0;
    bool dualBoot = false;
    bool hasBattery = false;
    bool onBattery = false;
};

// The fast start-up, hibernation, page file and system restore advice for one machine. Pure: the storage
// stage decides only on Windows 8 or later and only on real measurements.
struct StorageDecision {
    bool fastStartupEnabled = false;
    bool keepHibernation = false;
    QString fastStartupReason;
    QString hibernationReason;
    QString pagefileAdvice;
    QString restoreAdvice;

    static StorageDecision decide(const StorageFacts& facts);

    // The megabytes hibernation is estimated to hold: three quarters of the memory.
    static int estimatedHibernationMB(qint64 ramGB);

private:
    void decideFastStartup(const StorageFacts& facts);
    void decideHibernation(const StorageFacts& facts);
};
