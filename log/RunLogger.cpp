#include "log/RunLogger.h"

#include "identity/DeviceIdentity.h"
#include "log/OsVersionName.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kRule = QStringLiteral("========================================");

} // namespace

QMutex& RunLogger::mutex()
{
    static QMutex logMutex;
    return logMutex;
}

RunLogger& RunLogger::instance()
{
    static RunLogger* logger = nullptr;
    QMutexLocker locker(&mutex());
    if (!logger)
        logger = new RunLogger;
    return *logger;
}

void RunLogger::initialize(const QString& appDir, const QString& logFolder, platform::Platform& platform)
{
    if (initialized)
        return;
    logDir = logFolder.isEmpty() ? appDir + QStringLiteral("/logs") : logFolder;
    QDir().mkpath(logDir);
    deviceId = generateDeviceId(appDir, platform);
    openLogFile(platform);
    cleanupOldLogs();
    initialized = true;
}

void RunLogger::log(const QString& message)
{
    QMutexLocker locker(&mutex());
    if (!initialized || !file || !file->isOpen())
        return;
    writeLine(QLatin1Char('[') + QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")) +
              QStringLiteral("] ") + message);
}

void RunLogger::writeLine(const QString& text)
{
    if (!file || !file->isOpen())
        return;
    file->write(text.toUtf8());
    file->write("\n");
    file->flush();
}

void RunLogger::openLogFile(platform::Platform& platform)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    logFilePath = logDir + QLatin1Char('/') + QStringLiteral("log_%1_%2.txt").arg(deviceId, stamp);
    file = std::make_unique<QFile>(logFilePath);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    file->write("\xEF\xBB\xBF");
    writeLine(kRule);
    writeLine(QStringLiteral("系统优化工具日志"));
    writeLine(QStringLiteral("设备ID: ") + deviceId);
    writeLine(QStringLiteral("程序版本: ") + QStringLiteral(TIDEWELL_VERSION));
    writeLine(QStringLiteral("系统版本: ") + osVersionName(platform));
    writeLine(QStringLiteral("开始时间: ") +
              QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    writeLine(kRule);
    writeLine(QString());
}

void RunLogger::cleanupOldLogs()
{
    const QFileInfoList logs = QDir(logDir).entryInfoList({QStringLiteral("log_*.txt")}, QDir::Files, QDir::Time);
    for (int i = kLogsKept; i < logs.size(); ++i)
        QFile::remove(logs.at(i).absoluteFilePath());
}

void engineLog(const QString& message)
{
    qWarning().noquote() << "[OptimizeCore]" << message;
    RunLogger::instance().log(QStringLiteral("[引擎] ") + message);
}
