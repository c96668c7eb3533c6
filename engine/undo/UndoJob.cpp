#include "engine/undo/UndoJob.h"

#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/ChangeRestorer.h"
#include "engine/undo/MachineIdentity.h"

UndoJob::UndoJob(platform::Platform& machine, const QString& recordFolder, const QString& device)
    : machine_(machine), folder_(recordFolder), device_(device)
{
}

QString UndoJob::titleOf(const ChangeRecord& record)
{
    const QString kind = record.header.run == QLatin1String(ChangeRecord::kPhaseOne) ? QStringLiteral("一键优化")
                                                                                     : QStringLiteral("深度优化");
    const QString title = QStringLiteral("%1   %2   %3 项更改")
                              .arg(record.header.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), kind)
                              .arg(record.changeLines);
    if (!record.restoredAt.isValid())
        return title;
    return title + QStringLiteral("   已于 %1 撤销").arg(record.restoredAt.toString(QStringLiteral("MM-dd HH:mm")));
}

void UndoJob::list()
{
    pc_ = MachineIdentity::read(machine_);
    records_ = ChangeRecordFolder::records(folder_, device_, pc_);
    QStringList titles;
    for (const ChangeRecord& record : records_)
        titles.append(titleOf(record));
    if (pc_.isEmpty())
        emit lineReady(MachineIdentity::missingReason());
    emit listed(titles);
}

void UndoJob::restore(int index)
{
    if (index < 0 || index >= records_.size()) {
        emit restored(0, 0, 0);
        return;
    }
    ChangeRecord record;
    QString problem;
    if (!ChangeRecord::read(records_[index].path, record, problem)) {
        emit lineReady(QStringLiteral("无法读取这份更改记录（%1），未作任何更改").arg(problem));
        emit restored(0, 0, 0);
        return;
    }
    const auto summary =
        ChangeRestorer(machine_).restore(record, device_, pc_, [this](const QString& line) { emit lineReady(line); });
    // Only a record put back in full is marked; one with failures may be tried again and says nothing yet.
    const QDateTime now = QDateTime::currentDateTime();
    if (summary.whole() && ChangeRecordFolder::markRestored(record.path, now)) {
        records_[index].restoredAt = now;
        emit retitled(index, titleOf(records_[index]));
    }
    emit restored(summary.restored, summary.alreadySo, summary.failed);
}
