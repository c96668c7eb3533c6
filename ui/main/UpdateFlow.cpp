#include "ui/main/UpdateFlow.h"

#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/UpdatePromptDialog.h"
#include "ui/main/FlowHost.h"
#include "update/UpdateCheck.h"
#include "update/VersionNumber.h"

#include <QNetworkAccessManager>
#include <QTimer>

UpdateFlow::UpdateFlow(FlowHost& host, const QString& appDir, const QString& versionText, QObject* parent)
    : QObject(parent)
    , host(host)
    , appDir(appDir)
    , versionText(versionText)
    , networkManager(new QNetworkAccessManager(this))
    , updateCheck(new UpdateCheck(networkManager, this))
    , updaterLauncher(appDir)
{
    connect(updateCheck, &UpdateCheck::offered, this, &UpdateFlow::onOffered);
}

void UpdateFlow::scheduleCheck(int delayMs)
{
    if (scheduled)
        return;
    scheduled = true;
    QTimer::singleShot(delayMs, this, &UpdateFlow::check);
}

void UpdateFlow::check()
{
    updateCheck->start(UpdateConfig::load(appDir), version::fromFooterText(versionText));
}

void UpdateFlow::onOffered(const UpdateOffer& offer)
{
    UpdatePromptDialog prompt(host.dialogParent(), host.theme(), offer.version, offer.releaseNote, offer.forced);
    if (DialogRunner::exec(prompt) != QDialog::Accepted)
        return;
    report(updaterLauncher.request(host.isRunWorking()));
}

void UpdateFlow::startPendingUpdater()
{
    if (updaterLauncher.isPending())
        report(updaterLauncher.runEnded());
}

void UpdateFlow::report(UpdaterLauncher::Outcome outcome)
{
    QWidget* parent = host.dialogParent();
    switch (outcome) {
    case UpdaterLauncher::Outcome::Started:
        return;
    case UpdaterLauncher::Outcome::Deferred:
        MessageBox::information(parent, host.theme(), QStringLiteral("稍后更新"),
                                QStringLiteral("电脑正在优化，优化结束后会自动开始更新。"));
        return;
    case UpdaterLauncher::Outcome::Missing:
        MessageBox::information(parent, host.theme(), QStringLiteral("无法更新"),
                                QStringLiteral("没有找到更新程序 updaterwindow.exe，请到官网下载最新版本。"));
        return;
    case UpdaterLauncher::Outcome::Failed:
        MessageBox::information(parent, host.theme(), QStringLiteral("无法更新"),
                                QStringLiteral("更新程序没能启动，请稍后再试，或到官网下载最新版本。"));
        return;
    }
}
