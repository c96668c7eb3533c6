#include "updater/FolderSwap.h"

#include <QDir>
#include <QFileInfo>

#include <iterator>

const FolderSwap::Step FolderSwap::kSteps[] = {
    {SwapJournal::Step::MoveData, &FolderSwap::moveData},     {SwapJournal::Step::KeepBackup, &FolderSwap::keepBackup},
    {SwapJournal::Step::Retire, &FolderSwap::retire},         {SwapJournal::Step::Install, &FolderSwap::install},
    {SwapJournal::Step::Launch, &FolderSwap::announceLaunch},
};

FolderSwap::FolderSwap(const StickLayout& layout) : layout_(layout), journal_(layout.journal()) {}

int FolderSwap::stepCount()
{
    return static_cast<int>(std::size(kSteps));
}

bool FolderSwap::runStep(int index)
{
    const Step& step = kSteps[index];
    if (!journal_.write(step.recorded)) {
        failure_ = QStringLiteral("无法写入更新记录 %1。").arg(QDir::toNativeSeparators(layout_.journal()));
        return false;
    }
    return (this->*step.action)();
}

bool FolderSwap::run()
{
    for (int i = 0; i < stepCount(); ++i) {
        if (!runStep(i))
            return false;
    }
    return true;
}

bool FolderSwap::moveData()
{
    for (const QString& name : StickLayout::dataFolders()) {
        const QString from = layout_.program() + QLatin1Char('/') + name;
        const QString to = layout_.staging() + QLatin1Char('/') + name;
        if (QFileInfo::exists(from) && !QFileInfo::exists(to) && !rename(from, to))
            return false;
    }
    return true;
}

bool FolderSwap::keepBackup()
{
    return !QFileInfo::exists(layout_.backup()) || rename(layout_.backup(), layout_.oldBackup());
}

bool FolderSwap::retire()
{
    return rename(layout_.program(), layout_.backup());
}

bool FolderSwap::install()
{
    return rename(layout_.staging(), layout_.program());
}

bool FolderSwap::announceLaunch()
{
    return true;
}

bool FolderSwap::rename(const QString& from, const QString& to)
{
    if (QDir().rename(from, to))
        return true;
    failure_ = QStringLiteral("无法把 %1 改名为 %2，可能有文件正被其他程序使用。")
                   .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to));
    return false;
}
