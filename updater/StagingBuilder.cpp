#include "updater/StagingBuilder.h"

#include "updater/FileDigest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

constexpr qint64 kReportEveryMs = 200;

} // namespace

StagingBuilder::StagingBuilder(const StickLayout& layout, FileSource& source) : layout_(layout), source_(source) {}

StagingBuilder::Outcome StagingBuilder::run(const NewVersion& newVersion)
{
    const VersionFiles& files = newVersion.files;
    version_ = newVersion.version;
    if (!checkList(files))
        return Outcome::Failed;
    if (QFileInfo::exists(layout_.staging()) || !QDir().mkpath(layout_.staging())) {
        refuse(QStringLiteral("无法建立暂存文件夹 %1。").arg(QDir::toNativeSeparators(layout_.staging())));
        return Outcome::Failed;
    }
    QVector<bool> changed;
    for (const VersionFile& file : files) {
        changed.append(fileDigest::sha256(layout_.program() + QLatin1Char('/') + file.path) != file.sha256);
        total_ += changed.last() ? file.size : 0;
    }
    clock_.start();
    report(0, true);
    for (int i = 0; i < files.size(); ++i) {
        if (cancelled_)
            return Outcome::Cancelled;
        if (!stageFile(files.at(i), changed.at(i)))
            return cancelled_ ? Outcome::Cancelled : Outcome::Failed;
    }
    report(done_, true);
    return Outcome::Ready;
}

// The user's data folders are never part of a version, and no path may lead out of the staging folder.
bool StagingBuilder::checkList(const VersionFiles& files)
{
    const QString root = layout_.staging() + QLatin1Char('/');
    for (const VersionFile& file : files) {
        if (StickLayout::isInDataFolder(file.path) || !QDir::cleanPath(root + file.path).startsWith(root) ||
            file.size < 0) {
            return refuse(QStringLiteral("新版本的文件清单含有不允许的路径 %1，更新已停止。").arg(file.path));
        }
    }
    return true;
}

bool StagingBuilder::stageFile(const VersionFile& file, bool changed)
{
    const QString target = layout_.staging() + QLatin1Char('/') + file.path;
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return refuse(QStringLiteral("无法在暂存文件夹中建立 %1 的文件夹。").arg(file.path));
    if (!changed) {
        if (!QFile::copy(layout_.program() + QLatin1Char('/') + file.path, target))
            return refuse(QStringLiteral("无法复制 %1，U 盘可能已满或只读。").arg(file.path));
        return verify(file, target);
    }
    const QString part = target + QStringLiteral(".part");
    if (!fetchInto(file, part) || !verify(file, part))
        return false;
    if (!QFile::rename(part, target))
        return refuse(QStringLiteral("无法把下载好的 %1 放入暂存文件夹。").arg(file.path));
    return true;
}

bool StagingBuilder::fetchInto(const VersionFile& file, const QString& part)
{
    QFile sink(part);
    if (!sink.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return refuse(QStringLiteral("无法写入暂存文件 %1，U 盘可能已满或只读。").arg(file.path));
    const qint64 before = done_;
    QString error;
    const bool fetched = source_.fetch(
        version_, file.path, file.size, sink,
        [&](qint64 soFar) {
            report(before + soFar, false);
            return !cancelled_;
        },
        error);
    done_ = before + file.size;
    if (!sink.flush())
        return refuse(QStringLiteral("无法写入暂存文件 %1，U 盘可能已满或只读。").arg(file.path));
    if (!fetched && !cancelled_)
        refuse(error);
    return fetched && !cancelled_;
}

bool StagingBuilder::verify(const VersionFile& file, const QString& path)
{
    if (QFileInfo(path).size() != file.size)
        return refuse(QStringLiteral("%1 的大小与文件清单不符，更新已停止。").arg(file.path));
    if (fileDigest::sha256(path) != file.sha256)
        return refuse(QStringLiteral("%1 的校验值与文件清单不符，文件可能已损坏或被篡改，更新已停止。").arg(file.path));
    return true;
}

bool StagingBuilder::refuse(const QString& failure)
{
    failure_ = failure;
    return false;
}

void StagingBuilder::report(qint64 done, bool now)
{
    const qint64 elapsedMs = clock_.elapsed();
    if (!now && elapsedMs - lastReportMs_ < kReportEveryMs)
        return;
    lastReportMs_ = elapsedMs;
    emit progressed(done, total_, elapsedMs > 0 ? done * 1000 / elapsedMs : 0);
}
