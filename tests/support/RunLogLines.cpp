#include "support/RunLogLines.h"

#include "log/RunLogger.h"
#include "support/TempStick.h"

#include <QFile>

void RunLogLines::start(platform::Platform& platform)
{
    static TempStick stick;
    RunLogger::instance().initialize(stick.appDir(), QString(), platform);
}

QStringList RunLogLines::all()
{
    QFile file(RunLogger::instance().logFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int RunLogLines::mark()
{
    return all().size();
}

QStringList RunLogLines::since(int mark)
{
    QStringList lines = all().mid(mark);
    for (QString& line : lines)
        line = line.mid(line.indexOf(QLatin1Char(']')) + 2);
    return lines;
}

QStringList RunLogLines::engineSince(int mark)
{
    const QString prefix = QStringLiteral("[引擎] ");
    QStringList lines;
    for (const QString& line : since(mark)) {
        if (line.startsWith(prefix))
            lines.append(line.mid(prefix.size()));
    }
    return lines;
}
