#include "support/RunLogLines.h"

#include "log/RunLogger.h"
#include "support/TempStick.h"

#include <QFile>
#include <QFileInfo>

void RunLogLines::start(platform::Platform& platform)
{
    static TempStick stick;
    RunLogger::instance().initialize(stick.appDir(), QString(), platform);
}

QStringList RunLogLines::from(qint64 offset)
{
    QFile file(RunLogger::instance().logFilePath);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

qint64 RunLogLines::mark()
{
    return QFileInfo(RunLogger::instance().logFilePath).size();
}

QStringList RunLogLines::since(qint64 mark)
{
    QStringList lines = from(mark);
    for (QString& line : lines)
        line = line.mid(line.indexOf(QLatin1Char(']')) + 2);
    return lines;
}

QStringList RunLogLines::engineSince(qint64 mark)
{
    const QString prefix = QStringLiteral("[引擎] ");
    QStringList lines;
    for (const QString& line : since(mark)) {
        if (line.startsWith(prefix))
            lines.append(line.mid(prefix.size()));
    }
    return lines;
}
