#include "identity/DeviceIdentity.h"

#include "text/ConsoleText.h"
#include "text/PlatformText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

namespace {

QString deviceIdPath(const QString& appDir)
{
    return appDir + QStringLiteral("/../config/device.id");
}

QString readStoredId(const QString& path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

QString systemDirectory(platform::Platform& platform)
{
    std::wstring directory;
    if (platform.systemInfo.systemDirectory(directory, 260) != platform::ErrorSuccess)
        return {};
    return toQString(directory);
}

QString systemDriveLetter(platform::Platform& platform)
{
    return systemDirectory(platform).left(1);
}

void storeId(const QString& path, const QString& id)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        file.write(id.toUtf8());
}

} // namespace

bool isUsableDeviceId(const QString& id)
{
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    return safe.match(id).hasMatch();
}

QString wmicQuery(const QString& className, const QString& propertyName, platform::Platform& platform)
{
    const QString folder = systemDirectory(platform);
    if (folder.isEmpty())
        return {};
    platform::CommandResult result;
    // A WMI class name needs "path" before it: wmic takes a bare word for one of its aliases and answers
    // "Alias not found" for a class name, which would leave every answer empty. The 32-bit copy that a
    // 32-bit process reaches in the system folder answers these queries as well as the native one.
    const platform::Status status =
        platform.commands.run(toWString(folder + QStringLiteral("\\wbem\\wmic.exe")),
                              {L"path", toWString(className), L"get", toWString(propertyName), L"/value"}, 5000, result);
    if (status != platform::ErrorSuccess && status != platform::WaitTimeout)
        return {};
    return wmicValue(ConsoleText::fromTool(result.output, platform.commands), propertyName);
}

QString wmicValue(const QByteArray& output, const QString& propertyName)
{
    const QString prefix = propertyName + QLatin1Char('=');
    const QStringList lines = ConsoleText::decode(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return {};
}

QString generateDeviceId(const QString& appDir, platform::Platform& platform)
{
    const QString path = deviceIdPath(appDir);
    const QString stored = readStoredId(path);
    if (isUsableDeviceId(stored))
        return stored;

    const QString cpu = wmicQuery(QStringLiteral("Win32_Processor"), QStringLiteral("ProcessorId"), platform);
    const QString board = wmicQuery(QStringLiteral("Win32_BaseBoard"), QStringLiteral("SerialNumber"), platform);
    const QString raw = cpu + QLatin1Char('|') + board + QLatin1Char('|') + QStringLiteral("SYS_DISK_") +
                        systemDriveLetter(platform) + QLatin1Char('|') + QUuid::createUuid().toString();
    const QString id = QString::fromLatin1(
        QCryptographicHash::hash(raw.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    storeId(path, id);
    return id;
}
