#include "support/TempStick.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempStick::TempStick()
{
    QDir().mkpath(appDir());
}

void TempStick::writeFile(const QString& relativeToApp, const QByteArray& bytes) const
{
    const QString path = appDir() + QLatin1Char('/') + relativeToApp;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray TempStick::readFile(const QString& relativeToApp) const
{
    QFile file(appDir() + QLatin1Char('/') + relativeToApp);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
