#pragma once

#include "engine/ConsoleTool.h"

#include <QString>

class StageCore;

// Backs up the boot configuration, then turns the boot logo off and shortens the boot menu (items D2 and
// D3). Each line says what really happened: "已执行" and the backup file only when bcdedit exited with 0
// (and the file is there), otherwise "失败" with the exit code or the missing program.
class BootConfiguration {
public:
    explicit BootConfiguration(StageCore& core);
    void apply();

    // The backup file before expansion: "%WINDIR%\bcd_backup_yyyyMMdd_HHmmss.bcd" for the current local time.
    static QString backupFileTemplate();

private:
    void backUp();
    QString freeBackupPath(const QString& path) const;
    ConsoleTool::Outcome run(const QStringList& arguments, int waitMs);
    QString expand(const QString& text) const;

    StageCore& core_;
};
