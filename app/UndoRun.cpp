#include "app/UndoRun.h"

#include "app/RunJson.h"
#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/ChangeRestorer.h"
#include "engine/undo/MachineIdentity.h"
#include "log/RunLogger.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>

UndoRun::UndoRun(QTextStream& out, QTextStream& err, const QString& programName)
    : out_(out), err_(err), programName_(programName)
{
}

int UndoRun::run(platform::Platform& machine, const QString& appDir, const QString& logDir, const QString& stamp)
{
    recordPath_.clear();
    summary_ = {};
    RunLogger& logger = RunLogger::instance();
    logger.initialize(appDir, logDir, machine);
    const QString device = logger.deviceId;
    const QString pc = MachineIdentity::read(machine);
    const QString folder = ChangeRecordFolder::besideLogs(logger.logDir);
    if (pc.isEmpty()) {
        err_ << programName_ << ": " << MachineIdentity::missingReason() << "\n";
        summary_.refused = true;
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
    recordPath_ = record.path;
    summary_ = ChangeRestorer(machine).restore(record, device, pc, [this](const QString& line) {
        out_ << "undo " << line << "\n";
        out_.flush();
    });
    // Marked as the window's undo marks it, so its list shows the run as undone whichever way it was undone.
    if (summary_.whole())
        ChangeRecordFolder::markRestored(record.path, QDateTime::currentDateTime());
    return summary_.refused ? kRefused : kDone;
}

QJsonObject UndoRun::json() const
{
    return {{QStringLiteral("changeRecord"), RunJson::changeRecord(recordPath_)},
            {QStringLiteral("refused"), summary_.refused},
            {QStringLiteral("restored"), summary_.restored},
            {QStringLiteral("alreadySo"), summary_.alreadySo},
            {QStringLiteral("failed"), summary_.failed},
            {QStringLiteral("ignored"), summary_.ignored},
            {QStringLiteral("unreadable"), summary_.unreadable},
            {QStringLiteral("lines"), QJsonArray::fromStringList(summary_.lines)}};
}

QString UndoRun::newestPath(const QString& folder, const QString& device, const QString& pc)
{
    const QVector<ChangeRecord> records = ChangeRecordFolder::records(folder, device, pc);
    return records.isEmpty() ? QString() : records.first().path;
}
