#include "phase2/ResidueCleanup.h"

#include "engine/GuardedDelete.h"
#include "log/RunLogger.h"
#include "phase2/ResiduePathGuard.h"
#include "text/PlatformText.h"

using namespace platform;

namespace {

struct Tally {
    int removed = 0;
    int inUse = 0;
    int refused = 0;
    int failed = 0;
};

const JunkSoftwareHit* findRecord(const ScanReportBundle& report, const QString& id)
{
    for (const auto& hit : report.junkSoftware) {
        if (hit.id == id)
            return &hit;
    }
    return nullptr;
}

} // namespace

ResidueCleanup::ResidueCleanup(Platform& machine, const QString& ownFolder)
    : machine_(machine)
    , ownFolder_(ownFolder)
{
}

ItemResult ResidueCleanup::run(const QString& recordId, const ScanReportBundle& report)
{
    const JunkSoftwareHit* record = findRecord(report, recordId);
    if (!record)
        return ItemResult::failed(QStringLiteral("残留清理：未找到对应记录"));
    ResiduePathGuard guard(machine_, ownFolder_);
    GuardedDelete guardedDelete(machine_, GuardedDelete::ReadOnlyFiles::ClearAndRetry);
    Tally tally;
    for (const QString& path : record->evidencePaths) {
        std::wstring target;
        const auto verdict = guard.check(path, target);
        if (verdict == ResiduePathGuard::Verdict::Missing)
            continue;
        if (verdict != ResiduePathGuard::Verdict::Allowed) {
            ++(verdict == ResiduePathGuard::Verdict::InUse ? tally.inUse : tally.refused);
            RunLogger::instance().log(QStringLiteral("[Phase2] 跳过残留（%1）: %2")
                                          .arg(verdict == ResiduePathGuard::Verdict::InUse
                                                   ? QStringLiteral("软件仍在安装，请先卸载")
                                                   : QStringLiteral("不在可清理范围"),
                                               path));
            continue;
        }
        FileEntry entry;
        machine_.files.attributes(target, entry);
        entry.isDirectory() ? guardedDelete.removeTree(target) : guardedDelete.removeFile(target);
        const Status after = machine_.files.attributes(target, entry);
        if (after != ErrorFileNotFound && after != ErrorPathNotFound) {
            ++tally.failed;
            continue;
        }
        ++tally.removed;
        RunLogger::instance().log(QStringLiteral("[Phase2] 已删除残留: %1").arg(toQString(target)));
    }
    const QString name = record->nameCn.isEmpty() ? record->name : record->nameCn;
    QString line = QStringLiteral("%1 残留清理：删除 %2 个残留项").arg(name, QString::number(tally.removed));
    if (tally.inUse > 0)
        line += QStringLiteral("；%1 项跳过：软件仍在安装，请先卸载").arg(tally.inUse);
    if (tally.refused > 0)
        line += QStringLiteral("；%1 项不在可清理范围，已跳过").arg(tally.refused);
    if (tally.failed == 0)
        return tally.removed > 0 ? ItemResult::changed(line) : ItemResult::unchanged(line);
    return ItemResult::failed(line + QStringLiteral("；%1 项未能完全删除").arg(tally.failed));
}
