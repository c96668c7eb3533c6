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
    for (const ChangeRecord& record : ChangeRecordFolder::records(folder)) {
        const bool wanted = stamp.isEmpty() ? ChangeRecordFolder::belongsTo(record, device, pc) : record.stamp == stamp;
        if (!wanted)
            continue;
        out_ << "undo: " << QDir::toNativeSeparators(record.path) << "\n";
        const auto summary = ChangeRestorer(machine).restore(record, device, pc, [this](const QString& line) {
            out_ << "undo " << line << "\n";
            out_.flush();
        });
        return summary.refused ? kRefused : kDone;
    }
    err_ << programName_ << ": no change record " << (stamp.isEmpty() ? QStringLiteral("of this PC") : stamp) << " in "
         << QDir::toNativeSeparators(folder) << "\n";
    return kNoRecord;
}
