#pragma once

#include <QString>

class OptimizeCore;

// Backs up the boot configuration, then turns the boot logo off and shortens the boot menu (items D2 and
// D3). The commands' outcome is not examined; their log lines are written either way.
class BootConfiguration {
public:
    explicit BootConfiguration(OptimizeCore& core);
    void apply();

    // The backup file before expansion: "%WINDIR%\bcd_backup_yyyyMMdd_HHmmss.bcd" for the current local time.
    static QString backupFileTemplate();

private:
    void run(const QStringList& arguments, int waitMs);
    QString expand(const QString& text) const;

    OptimizeCore& core_;
};
