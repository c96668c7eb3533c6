#include "app/UndoRun.h"

#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/ChangeRestorer.h"
#include "engine/undo/MachineIdentity.h"
#include "log/RunLogger.h"

#include <QDir>

UndoRun::UndoRun(QTextStream& out, QTextStream& err, const QString& programName)
    : out_(out), err_(err), programName_(programName)
{
}

int UndoRun::run(platform::Platform& machine, const QString& appDir, const QString& logDir, const QString& stamp)
{
    RunLogger& logger = RunLogger::instance();
    logger.initialize(appDir, logDir, machine);
    const QString device = logger.deviceId;
    const QString pc = MachineIdentity::read(machine);
    const QString folder = ChangeRecordFolder::besideLogs(logger.logDir);
    if (pc.isEmpty()) {
        err_ << programName_ << ": " << MachineIdentity::missingReason() << "\n";
        return kRefused;
    }
    ChangeRecord record;
    QString problem;
    const QString path = stamp.isEmpty() ? newestPath(folder, device, pc) : ChangeRecordFolder::pathOf(folder, stamp);
    if (path.isEmpty() || !ChangeRecord::read(path, record, problem)) {
        err_ << programName_ << ": no change record " << (stamp.isEmpty() ? QStringLiteral("of this PC") : stamp)
             << " in " << QDir::toNativeSeparators(folder) << "\n";
        return kNoRecord;
    }
    out_ << "undo: " << QDir::toNativeSeparators(record.path) << "\n";
    const auto summary = ChangeRestorer(machine).restore(record, device, pc, [this](const QString& line) {
        out_ << "undo " << line << "\n";
        out_.flush();
    });
    return summary.refused ? kRefused : kDone;
}

QString UndoRun::newestPath(const QString& folder, const QString& device, const QString& pc)
{
    const QVector<ChangeRecord> records = ChangeRecordFolder::records(folder, device, pc);
    return records.isEmpty() ? QString() : records.first().path;
}
