#include "ui/main/FooterActions.h"

#include "engine/undo/ChangeRecordFolder.h"
#include "log/RunLogger.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/ImageDialog.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/UndoDialog.h"
#include "ui/main/FlowHost.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

const char* const kWebsite = "https://www.tidewell.example/";

const char* const kServiceCardImage = ":/ICON/1.png";
const char* const kCustomerServiceImage = ":/ICON/2.png";
const char* const kRemoteHelpImage = ":/ICON/3.png";

} // namespace

FooterActions::FooterActions(FlowHost& host, const QString& appDir, bool demoMode, QObject* parent)
    : QObject(parent)
    , host(host)
    , appDir(appDir)
    , demoMode(demoMode)
{
}

void FooterActions::openWebsite()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebsite)));
}

void FooterActions::showAbout()
{
    if (!aboutDialog)
        aboutDialog = new AboutDialog(host.dialogParent(), host.theme(), appDir);
    aboutDialog->setTheme(host.theme());
    DialogRunner::exec(*aboutDialog);
}

void FooterActions::showUndo()
{
    if (host.isRunWorking()) {
        MessageBox::information(host.dialogParent(), host.theme(), QStringLiteral("正在优化"),
                                QStringLiteral("请等这次优化完成后再撤销。"));
        return;
    }
    const RunLogger& logger = RunLogger::instance();
    const QString records = demoMode ? QString() : ChangeRecordFolder::besideLogs(logger.logDir);
    UndoDialog dialog(host.dialogParent(), platform::current(), records, logger.deviceId, host.theme());
    DialogRunner::exec(dialog);
}

void FooterActions::showImage(const QString& image)
{
    if (!imageDialog)
        imageDialog = new ImageDialog(host.dialogParent(), host.theme());
    imageDialog->setImage(image);
    imageDialog->setTheme(host.theme());
    DialogRunner::exec(*imageDialog);
}

void FooterActions::showServiceCard()
{
    showImage(QLatin1String(kServiceCardImage));
}

void FooterActions::showCustomerService()
{
    showImage(QLatin1String(kCustomerServiceImage));
}

void FooterActions::showRemoteHelp()
{
    showImage(QLatin1String(kRemoteHelpImage));
}

void FooterActions::thankForSharing()
{
    MessageBox::information(nullptr, host.theme(), QStringLiteral("谢谢您"),
                            QStringLiteral("感谢您的支持！本程序不会上传任何数据。"));
}

void FooterActions::applyTheme()
{
    if (aboutDialog)
        aboutDialog->setTheme(host.theme());
}
