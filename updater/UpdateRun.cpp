#include "updater/UpdateRun.h"

#include "updater/FolderSwap.h"
#include "updater/SwapRecovery.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace
{

const QString kKeptAsItWas = QStringLiteral("U 盘上的程序保持原样，您可以稍后再试。");

} // namespace

UpdateRun::UpdateRun(const StickLayout& layout, VersionList& versions, FileSource& source, ProgramControl& program,
                     StickFolderRemoval& removal, Timing timing)
    : layout_(layout), versions_(versions), source_(source), program_(program), removal_(removal), timing_(timing)
{
    poll_.setInterval(timing_.pollMs);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (state_ == State::WaitingForProgram)
            onPoll();
        else if (state_ == State::Starting)
            onStartPoll();
    });
}

UpdateRun::~UpdateRun()
{
    if (!worker_)
        return;
    builder_->cancel();
    worker_->wait();
    delete worker_;
}

void UpdateRun::start()
{
    for (const QString& leftover : {layout_.staging(), layout_.oldBackup()}) {
        if (!removal_.remove(leftover))
            return end(Result::Failed, QStringLiteral("上次更新留下的文件夹 %1 无法删除，请手动删除它后再试。")
                                           .arg(QDir::toNativeSeparators(leftover)));
    }
    state_ = State::Staging;
    emit statusChanged(QStringLiteral("正在准备新版本的文件……"));
    builder_ = std::make_unique<StagingBuilder>(layout_, source_);
    connect(builder_.get(), &StagingBuilder::progressed, this, &UpdateRun::progressed);
    worker_ = QThread::create([this] { stagingOutcome_ = stage(); });
    connect(worker_, &QThread::finished, this, &UpdateRun::onStaged);
    worker_->start();
}

void UpdateRun::cancel()
{
    if (state_ == State::Staging)
        builder_->cancel();
    if (state_ != State::WaitingForProgram)
        return;
    poll_.stop();
    dropStaging(Result::Cancelled, QStringLiteral("更新已取消。") + kKeptAsItWas);
}

// On the worker thread: nothing the flow's other members touch meanwhile.
StagingBuilder::Outcome UpdateRun::stage()
{
    NewVersion newVersion;
    if (!versions_.load(newVersion, listFailure_))
        return StagingBuilder::Outcome::Failed;
    return builder_->run(newVersion);
}

void UpdateRun::onStaged()
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    const StagingBuilder::Outcome outcome = stagingOutcome_;
    if (outcome == StagingBuilder::Outcome::Cancelled)
        return dropStaging(Result::Cancelled, QStringLiteral("更新已取消。") + kKeptAsItWas);
    if (outcome == StagingBuilder::Outcome::Failed)
        return dropStaging(Result::Failed,
                           (listFailure_.isEmpty() ? builder_->failure() : listFailure_) + kKeptAsItWas);
    state_ = State::WaitingForProgram;
    if (!program_.isRunning())
        return swap();
    poll_.start();
    emit statusChanged(
        QStringLiteral("新版本已准备好。请关闭正在运行的优化程序（tidewell.exe），关闭后更新会自动继续。"));
}

void UpdateRun::onPoll()
{
    if (program_.isRunning())
        return;
    poll_.stop();
    swap();
}

void UpdateRun::swap()
{
    state_ = State::Starting;
    emit statusChanged(QStringLiteral("正在替换程序文件，请不要拔出 U 盘……"));
    FolderSwap folderSwap(layout_);
    if (!folderSwap.run())
        return rollBack(folderSwap.failure());
    if (!program_.start())
        return rollBack(QStringLiteral("无法启动新版本的程序。"));
    emit statusChanged(QStringLiteral("正在启动新版本……"));
    waitedMs_ = 0;
    poll_.start();
}

void UpdateRun::onStartPoll()
{
    if (QFileInfo::exists(layout_.startedMarker())) {
        SwapRecovery(layout_).finish();
        removal_.remove(layout_.oldBackup());
        return end(Result::Updated, QStringLiteral("更新完成，新版本已经启动。"));
    }
    waitedMs_ += timing_.pollMs;
    if (waitedMs_ >= timing_.startWaitMs)
        rollBack(QStringLiteral("新版本在 %1 秒内没有打开窗口。").arg(timing_.startWaitMs / 1000));
}

void UpdateRun::rollBack(const QString& why)
{
    poll_.stop();
    if (!SwapRecovery(layout_).rollBack())
        return end(Result::Failed, why + QStringLiteral("恢复原来的版本时有文件夹无法改名。请关闭所有正在运行的优化"
                                                        "程序后重新打开它，它会自动恢复原来的版本。"));
    removal_.remove(layout_.staging());
    end(Result::RolledBack, why + QStringLiteral("已恢复为原来的版本，您可以继续使用它，稍后再试更新。"));
}

void UpdateRun::dropStaging(Result result, const QString& message)
{
    if (removal_.remove(layout_.staging()))
        return end(result, message);
    end(result, message + QStringLiteral("暂存文件夹 %1 未能删除，下次更新时会再删除。")
                              .arg(QDir::toNativeSeparators(layout_.staging())));
}

void UpdateRun::end(Result result, const QString& message)
{
    state_ = State::Done;
    poll_.stop();
    emit finished(result, message);
}
