#include "phase2/Phase2Executor.h"

#include "engine/undo/RunRecording.h"
#include "log/RunLogger.h"
#include "phase2/DiskDiagnosticTasks.h"
#include "phase2/EventLogLimit.h"
#include "phase2/LargeFileScan.h"
#include "phase2/Phase2Sample.h"
#include "phase2/ResidueCleanup.h"
#include "phase2/RestorePointCleanup.h"
#include "phase2/ServiceStartItem.h"
#include "phase2/StartupItemAction.h"
#include "phase2/TcpAutoTuning.h"

#include <QThread>

Phase2Executor::Phase2Executor(platform::Platform& machine, bool demoMode, const QString& ownFolder)
    : machine_(machine)
    , demoMode_(demoMode)
    , ownFolder_(ownFolder)
{
}

void Phase2Executor::execute(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB)
{
    done = 0;
    total = qMax(1, items.size());
    results.clear();
    QStringList lines;
    RunRecording recording(machine_, ChangeRecord::kPhaseTwo);
    for (const OptItem& item : items) {
        if (QThread::currentThread()->isInterruptionRequested())
            break;
        // Announced before it runs: an item such as the residue clean-up can take minutes, and the status
        // must name what is under way then, not what ended before it.
        emit progressUpdated(done * 100 / total, QStringLiteral("正在执行：") + item.title);
        const ItemResult result = demoMode_ ? ItemResult::unchanged(Phase2Sample::resultLine(item))
                                            : runItem(recording.machine(), item, report, h2KeepN, a2SizeMB);
        if (!result.line.isEmpty())
            lines.append(result.line);
        results.append({item.id, result});
        ++done;
    }
    QString summary = QStringLiteral("本次共执行 %1 项优化：\n").arg(done) + lines.join(QLatin1Char('\n'));
    if (done < items.size())
        summary += QStringLiteral("\n执行已中止，其余 %1 项未执行").arg(items.size() - done);
    if (!demoMode_) {
        RunLogger::instance().log(QStringLiteral("[Phase2] 共执行 %1 项：").arg(done));
        for (const QString& line : qAsConst(lines))
            RunLogger::instance().log(QStringLiteral("  ") + line);
        recording.logOutcome();
    }
    changeRecordPath = recording.writtenPath();
    emit finished(summary);
}

ItemResult Phase2Executor::runItem(platform::Platform& machine, const OptItem& item, const ScanReportBundle& report,
                                int h2KeepN, int a2SizeMB)
{
    const QString& id = item.id;
    if (id == QLatin1String("E1"))
        return TcpAutoTuning(machine).run();
    if (id == QLatin1String("F3"))
        return DiskDiagnosticTasks(machine).run();
    if (id == QLatin1String("A2"))
        return EventLogLimit(machine).run(a2SizeMB);
    if (id == QLatin1String("H2"))
        return RestorePointCleanup(machine).run(h2KeepN);
    if (id == QLatin1String("H3"))
        return LargeFileScan(machine).run();
    if (id.startsWith(QLatin1String("ST:")))
        return StartupItemAction(machine).run(id);
    if (id.startsWith(QLatin1String("RES:")))
        return ResidueCleanup(machine, ownFolder_).run(id.mid(4), report);
    return ServiceStartItem(machine).run(item);
}
