#pragma once

#include "engine/ConsoleTool.h"
#include "engine/StorageDecision.h"

#include <QString>

class StageCore;

// Decides on fast start-up, hibernation, page file and restore, and runs TRIM or defragmentation. The
// decisions are made only on Windows 8 or later and only when the memory and the system drive could be
// measured; otherwise the flags stay false, the texts empty, nothing is switched and the decision line
// says that no decision was made and why. A powercfg that fails is logged as failed and changes no figure.
class StorageAnalyzer {
public:
    explicit StorageAnalyzer(StageCore& core);
    void run(const QString& drive);

    static constexpr int kPowercfgWaitMs = 10000;

private:
    bool measure(const QString& drive, StorageFacts& facts) const;
    void adopt(const StorageDecision& decision);
    void enableFastStartup();
    void switchHibernationOff(const QString& drive, qint64 ramGB);
    // The size of hiberfil.sys before it goes: measured when it can be, 0 when it is not there, else estimated.
    int hibernationFileMB(const QString& drive, qint64 ramGB) const;
    void logDecision();
    void reportPagefile(const QString& drive);
    void reportRestore(const QString& drive);
    ConsoleTool::Outcome runPowercfg(const QStringList& arguments);
    void progress(int percent, const QString& text);

    StageCore& core_;
};
