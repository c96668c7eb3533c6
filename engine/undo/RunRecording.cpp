#include "engine/undo/RunRecording.h"

#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/MachineIdentity.h"
#include "log/RunLogger.h"

#include <QDir>

RunRecording::RunRecording(platform::Platform& machine, const char* run)
    : pc_(MachineIdentity::read(machine)), writer_(folderFor(pc_), header(pc_, run)), recording_(machine, writer_)
{
}

ChangeRecord::Header RunRecording::header(const QString& pc, const char* run)
{
    return {RunLogger::instance().deviceId, pc, QLatin1String(run), QDateTime::currentDateTime()};
}

QString RunRecording::folderFor(const QString& pc)
{
    return pc.isEmpty() ? QString() : ChangeRecordFolder::besideLogs(RunLogger::instance().logDir);
}

QString RunRecording::writtenPath() const
{
    return pc_.isEmpty() || writer_.failed() || writer_.count() == 0 ? QString() : writer_.path();
}

void RunRecording::logOutcome() const
{
    // The writer has no folder then, so it fails at the first change: a run that changed nothing says nothing.
    if (pc_.isEmpty()) {
        if (writer_.failed())
            RunLogger::instance().log(
                QStringLiteral("[撤销] 无法读取本机标识（MachineGuid），本次更改未作记录，将无法撤销"));
        return;
    }
    if (writer_.failed()) {
        RunLogger::instance().log(QStringLiteral("[撤销] 无法写入更改记录，本次更改将无法撤销"));
        return;
    }
    if (writer_.count() > 0)
        RunLogger::instance().log(QStringLiteral("[撤销] 已记录 %1 项更改: %2")
                                      .arg(writer_.count())
                                      .arg(QDir::toNativeSeparators(writer_.path())));
}
