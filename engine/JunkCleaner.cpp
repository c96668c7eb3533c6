#include "engine/JunkCleaner.h"

#include "engine/ConsoleTool.h"
#include "engine/GuardedDelete.h"
#include "engine/NativeSystemFolder.h"
#include "engine/StageCore.h"
#include "engine/WindowsPath.h"
#include "log/RunLogger.h"
#include "text/PlatformText.h"

using namespace platform;

namespace {

enum class Versions { All, Windows7Only, NotWindows7 };

struct Folder {
    const char16_t* path;
    Versions versions;
};

const char16_t* const kErrorReportFolders[] = {
    u"%ALLUSERSPROFILE%\\Microsoft\\Windows\\WER\\ReportArchive\\",
    u"%ALLUSERSPROFILE%\\Microsoft\\Windows\\WER\\ReportQueue\\",
    u"%LOCALAPPDATA%\\Microsoft\\Windows\\WER\\ReportArchive\\",
    u"%LOCALAPPDATA%\\Microsoft\\Windows\\WER\\ReportQueue\\",
};

const char16_t* const kFrameworkFolders[] = {
    u"%WINDIR%\\Microsoft.NET\\Framework\\",
    u"%WINDIR%\\Microsoft.NET\\Framework64\\",
};

const Folder kShaderCaches[] = {
    {u"%LOCALAPPDATA%\\Microsoft\\DirectX Shader Cache\\", Versions::All},
    {u"%LOCALAPPDATA%\\NVIDIA\\GLCache\\", Versions::Windows7Only},
    {u"%LOCALAPPDATA%\\NVIDIA\\DXCache\\", Versions::NotWindows7},
    {u"%LOCALAPPDATA%\\AMD\\DxCache\\", Versions::All},
};

// Below the system drive, not %WINDIR%: these always name the Windows folder at the drive's root.
const char16_t* const kUpdateCacheFolders[] = {
    u"\\Windows\\SoftwareDistribution\\Download\\",
    u"\\Windows\\Temp\\",
};

const char16_t* const kDeliveryOptimisationFolders[] = {
    u"\\Windows\\SoftwareDistribution\\DeliveryOptimization\\",
    u"\\Windows\\ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\DeliveryOptimization\\",
};

// Browser caches, temporary folders and thumbnails, in order. A row with `eachSubfolder` cleans that
// folder below every subfolder of `path` (every Firefox profile).
struct LegacyCache {
    const char16_t* path;
    const char16_t* eachSubfolder;
    const char16_t* filter;
};

const LegacyCache kLegacyCaches[] = {
    {u"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\Default\\Cache\\", nullptr, nullptr},
    {u"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\Default\\Code Cache\\", nullptr, nullptr},
    {u"%LOCALAPPDATA%\\Microsoft\\Edge\\User Data\\Default\\Cache\\", nullptr, nullptr},
    {u"%LOCALAPPDATA%\\Microsoft\\Edge\\User Data\\Default\\Code Cache\\", nullptr, nullptr},
    {u"%APPDATA%\\Mozilla\\Firefox\\Profiles\\", u"\\cache2\\", nullptr},
    {u"%TEMP%\\", nullptr, nullptr},
    {u"%WINDIR%\\Temp\\", nullptr, nullptr},
    {u"%LOCALAPPDATA%\\Microsoft\\Windows\\Explorer\\", nullptr, u"thumbcache_*.db"},
};

constexpr int kIpconfigWaitMs = 10000;
constexpr double kFullDiskPercent = 85.0;

QString text(const char16_t* literal)
{
    return QString::fromUtf16(literal);
}

} // namespace

JunkCleaner::JunkCleaner(StageCore& core)
    : core_(core)
{
}

int JunkCleaner::run(const QString& drive)
{
    drive_ = drive;
    total_ = 0;
    cleanErrorReports();
    cleanFrameworkTemporaryFiles();
    cleanUpdateCacheOnFullDisk();
    cleanShaderCaches();
    rebuildFontCache();
    if (core_.isWindows10OrLater())
        cleanDeliveryOptimisation();
    flushDns();
    cleanBrowsersTemporaryFilesAndThumbnails();
    progress(29, QStringLiteral("磁盘清理完成"));
    return static_cast<int>(total_ / StageCore::kBytesPerMB);
}

void JunkCleaner::cleanErrorReports()
{
    const qint64 before = total_;
    progress(12, QStringLiteral("正在清理Windows错误报告..."));
    const QStringList filters = {QStringLiteral("*.wer"), QStringLiteral("*.dmp")};
    for (const char16_t* folder : kErrorReportFolders)
        total_ += core_.cleanDirectoryOlderThan(expand(text(folder)), filters);
    core_.logItemFreed(QStringLiteral("A1 WER错误报告"), before, total_);
}

void JunkCleaner::cleanFrameworkTemporaryFiles()
{
    const qint64 before = total_;
    progress(15, QStringLiteral("正在清理.NET临时文件..."));
    QStringList aspNetFolders;
    for (const char16_t* framework : kFrameworkFolders) {
        for (const QString& version : subfolders(expand(text(framework)), QStringLiteral("v"))) {
            const QString folder = version + QStringLiteral("\\Temporary ASP.NET Files\\");
            if (folderExists(folder))
                aspNetFolders.append(folder);
        }
    }
    for (const QString& folder : aspNetFolders)
        clean(folder);
    clean(expand(QStringLiteral("%LOCALAPPDATA%\\Microsoft\\Windows\\INetCache\\")));
    clean(expand(QStringLiteral("%TEMP%\\.NET\\")));
    core_.logItemFreed(QStringLiteral("A5 .NET临时文件"), before, total_);
}

void JunkCleaner::cleanUpdateCacheOnFullDisk()
{
    const qint64 before = total_;
    progress(18, QStringLiteral("正在检查磁盘使用率..."));
    if (diskIsNearlyFull()) {
        progress(20, QStringLiteral("磁盘使用率较高，正在深度清理系统缓存..."));
        const bool activity = core_.isProcessRunning(QStringLiteral("wuauclt.exe")) ||
                              core_.isProcessRunning(QStringLiteral("trustedinstaller.exe"));
        const quint32 state = core_.serviceState(QStringLiteral("wuauserv"));
        const bool busy = state == ServiceState::StartPending || state == ServiceState::StopPending;
        if (activity || busy) {
            engineLog(QStringLiteral("B1 跳过：Windows Update 正在运行，暂不深度清理系统缓存"));
        } else {
            const bool wasRunning = state == ServiceState::Running;
            if (wasRunning)
                core_.stopServiceAndWait(QStringLiteral("wuauserv"));
            for (const char16_t* folder : kUpdateCacheFolders)
                clean(drive_ + text(folder));
            if (wasRunning)
                core_.startService(QStringLiteral("wuauserv"));
        }
    }
    core_.logItemFreed(QStringLiteral("B1 系统文件缓存(≥85%)"), before, total_);
}

bool JunkCleaner::diskIsNearlyFull()
{
    DiskSpace space;
    if (!succeeded(core_.machine().systemInfo.diskSpace(toWString(drive_ + QLatin1Char('\\')), space)) ||
        space.totalBytes == 0)
        return false;
    const double usage =
        (1.0 - static_cast<double>(space.freeBytesAvailable) / static_cast<double>(space.totalBytes)) * 100.0;
    return usage >= kFullDiskPercent;
}

void JunkCleaner::cleanShaderCaches()
{
    const qint64 before = total_;
    progress(22, QStringLiteral("正在清理着色器缓存..."));
    for (const Folder& folder : kShaderCaches) {
        if (folder.versions == Versions::Windows7Only && !core_.isWindows7())
            continue;
        if (folder.versions == Versions::NotWindows7 && core_.isWindows7())
            continue;
        clean(expand(text(folder.path)));
    }
    core_.logItemFreed(QStringLiteral("A3 着色器缓存"), before, total_);
}

void JunkCleaner::rebuildFontCache()
{
    const qint64 before = total_;
    progress(24, QStringLiteral("正在重建字体缓存..."));
    const QString file = core_.isWindows7()
                             ? QStringLiteral("%SystemRoot%\\System32\\FNTCACHE.DAT")
                             : QStringLiteral("%LOCALAPPDATA%\\Microsoft\\Windows\\Fonts\\FontCache.dat");
    // Windows 7 keeps it in the native System32, which a 32-bit process reaches through Sysnative.
    const QString cacheFile = NativeSystemFolder(core_.machine()).map(expand(file));
    core_.stopServiceAndWait(QStringLiteral("FontCache"));
    const Removal removal = GuardedDelete(core_.machine()).removeFile(toWString(cacheFile));
    total_ += removal.bytes;
    core_.junkFilesCount += removal.files;
    core_.startService(QStringLiteral("FontCache"));
    core_.logItemFreed(QStringLiteral("A6 字体缓存"), before, total_);
}

void JunkCleaner::cleanDeliveryOptimisation()
{
    const qint64 before = total_;
    progress(25, QStringLiteral("正在清理传递优化缓存..."));
    const bool wasRunning = core_.serviceState(QStringLiteral("DoSvc")) == ServiceState::Running;
    if (wasRunning)
        core_.stopServiceAndWait(QStringLiteral("DoSvc"));
    for (const char16_t* folder : kDeliveryOptimisationFolders)
        clean(drive_ + text(folder));
    if (wasRunning)
        core_.startService(QStringLiteral("DoSvc"));
    core_.logItemFreed(QStringLiteral("A4 传递优化缓存"), before, total_);
}

void JunkCleaner::flushDns()
{
    progress(26, QStringLiteral("正在刷新DNS缓存..."));
    const ConsoleTool::Outcome outcome =
        ConsoleTool::run(core_.machine(), QStringLiteral("ipconfig"), {QStringLiteral("/flushdns")}, kIpconfigWaitMs);
    if (outcome.succeeded())
        engineLog(QStringLiteral("  已执行 A7：DNS缓存刷新（ipconfig /flushdns）"));
    else
        engineLog(QStringLiteral("  A7 失败：DNS缓存刷新（ipconfig /flushdns），%1").arg(outcome.failure()));
}

void JunkCleaner::cleanBrowsersTemporaryFilesAndThumbnails()
{
    const qint64 before = total_;
    progress(27, QStringLiteral("正在清理旧版系统缓存..."));
    ConsoleTool::startDetached(core_.machine(), QStringLiteral("cleanmgr.exe"), {QStringLiteral("/sagerun:99")});
    for (const LegacyCache& cache : kLegacyCaches) {
        const QStringList filters = cache.filter ? QStringList{text(cache.filter)} : QStringList();
        const QString folder = expand(text(cache.path));
        if (!cache.eachSubfolder) {
            clean(folder, filters);
            continue;
        }
        for (const QString& subfolder : subfolders(folder))
            clean(subfolder + text(cache.eachSubfolder), filters);
    }
    core_.logItemFreed(QStringLiteral("V1.4 浏览器/TEMP/缩略图"), before, total_);
}

// A folder emptied once in this run is not walked again: the Windows temporary folder is both an update
// cache on a nearly full disk and a temporary folder, and a second walk of a large one costs as much as the
// first while it finds nothing left to delete.
void JunkCleaner::clean(const QString& folder, const QStringList& filters)
{
    if (filters.isEmpty()) {
        std::wstring key;
        for (const std::wstring& part : WindowsPath::normalizedParts(toWString(folder)))
            key += part + L'\\';
        if (!emptied_.insert(key).second)
            return;
    }
    total_ += core_.cleanDirectory(folder, filters);
}

// The real subfolders of `folder` whose names start with `prefix` (case-sensitive), as absolute paths.
// Links are left out, so that no cleaning starts beyond one.
QStringList JunkCleaner::subfolders(const QString& folder, const QString& prefix)
{
    QStringList found;
    if (!folderExists(folder))
        return found;
    QString base = folder;
    while (base.endsWith(QLatin1Char('\\')))
        base.chop(1);
    core_.machine().files.list(toWString(base), [&](const FileEntry& entry) {
        const QString name = toQString(entry.name);
        if (entry.isDirectory() && !entry.isLink() && WindowsPath::isPlainName(entry.name) && name.startsWith(prefix))
            found.append(base + QLatin1Char('\\') + name);
        return true;
    });
    return found;
}

bool JunkCleaner::folderExists(const QString& folder)
{
    FileEntry entry;
    return succeeded(core_.machine().files.attributes(toWString(folder), entry)) && entry.isDirectory();
}

QString JunkCleaner::expand(const QString& text)
{
    std::wstring expanded;
    if (text.isEmpty() || !succeeded(core_.machine().systemInfo.expandEnvironment(toWString(text), expanded)))
        return text;
    return toQString(expanded);
}

void JunkCleaner::progress(int percent, const QString& text)
{
    emit core_.progressUpdated(1, percent, text);
}
