#include "engine/undo/RunRecording.h"

#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/MachineIdentity.h"
#include "log/RunLogger.h"

#include <QDir>

RunRecording::RunRecording(platform::Platform& machine, const char* run)
    : writer_(ChangeRecordFolder::besideLogs(RunLogger::instance().logDir), header(machine, run))
    , recording_(machine, writer_)
{
}

ChangeRecord::Header RunRecording::header(platform::Platform& machine, const char* run)
{
    return {RunLogger::instance().deviceId, MachineIdentity::read(machine), QLatin1String(run),
            QDateTime::currentDateTime()};
}

void RunRecording::logOutcome() const
{
    if (writer_.failed()) {
        RunLogger::instance().log(QStringLiteral("[撤销] 无法写入更改记录，本次更改将无法撤销"));
        return;
    }
    if (writer_.count() > 0)
        RunLogger::instance().log(QStringLiteral("[撤销] 已记录 %1 项更改: %2")
                                      .arg(writer_.count())
                                      .arg(QDir::toNativeSeparators(writer_.path())));
}
