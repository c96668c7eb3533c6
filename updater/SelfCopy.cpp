#include "updater/SelfCopy.h"

#include "text/PlatformText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace
{

// The Qt plugins a window of this program loads, each in its own folder beside the executable.
const char* const kPluginFolders[] = {"platforms", "styles", "imageformats"};

} // namespace

SelfCopy::SelfCopy(platform::Platform& machine) : machine_(machine) {}

bool SelfCopy::relaunch(const QString& executable, const QString& programFolder, const QStringList& arguments,
                        QString& error)
{
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/tidewell-updater-XXXXXX"));
    folder.setAutoRemove(false);
    if (!folder.isValid() || !copyAll(executable, programFolder, folder.path())) {
        error = QStringLiteral("无法把更新程序复制到临时文件夹 %1，请检查系统盘的剩余空间。")
                    .arg(QDir::toNativeSeparators(QDir::tempPath()));
        return false;
    }
    std::vector<std::wstring> options;
    for (const QString& argument : arguments)
        options.push_back(toWString(argument));
    options.push_back(toWString(QLatin1String(kProgramFolderOption)));
    options.push_back(toWString(QDir::toNativeSeparators(programFolder)));
    const QString copy = folder.path() + QLatin1Char('/') + QFileInfo(executable).fileName();
    if (machine_.commands.startDetached(toWString(QDir::toNativeSeparators(copy)), options) == platform::ErrorSuccess)
        return true;
    error = QStringLiteral("无法启动临时文件夹中的更新程序。");
    return false;
}

bool SelfCopy::copyAll(const QString& executable, const QString& programFolder, const QString& copyFolder)
{
    if (!QFile::copy(executable, copyFolder + QLatin1Char('/') + QFileInfo(executable).fileName()) ||
        !copyInto(programFolder, copyFolder, {QStringLiteral("*.dll")}))
        return false;
    for (const char* plugins : kPluginFolders) {
        const QString from = programFolder + QLatin1Char('/') + QLatin1String(plugins);
        if (QFileInfo::exists(from) && !copyInto(from, copyFolder + QLatin1Char('/') + QLatin1String(plugins), {}))
            return false;
    }
    return true;
}

bool SelfCopy::copyInto(const QString& from, const QString& to, const QStringList& filters)
{
    if (!QDir().mkpath(to))
        return false;
    const QFileInfoList files = QDir(from).entryInfoList(filters, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& file : files) {
        if (!QFile::copy(file.absoluteFilePath(), to + QLatin1Char('/') + file.fileName()))
            return false;
    }
    return true;
}
