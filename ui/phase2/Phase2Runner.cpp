#include "ui/phase2/Phase2Runner.h"

#include "phase2/Phase2Executor.h"
#include "text/PlatformText.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/Phase2ProgressDialog.h"
#include "engine/BoundedQuery.h"
#include "ui/main/WorkerThreadStop.h"

#include <QThread>
#include <QWidget>

#include <utility>

namespace {

const char* const kDemoNote = "这是演示：这台电脑的任何设置都没有改动，以下结果仅供演示。\n\n";

// What the printer warning lists: the printers, or why it cannot list them. `lines` is invalid when the
// spooler could not be asked.
QString printerText(BoundedQuery::Outcome outcome, const QVariant& lines)
{
    if (outcome == BoundedQuery::Outcome::TimedOut)
        return QStringLiteral("（10 秒内未能列出打印机，系统没有回应）");
    if (!lines.isValid())
        return QStringLiteral("（未能列出打印机）");
    const QStringList printers = lines.toStringList();
    return printers.isEmpty() ? QStringLiteral("（未检测到打印机）") : printers.join(QLatin1Char('\n'));
}

} // namespace

Phase2Runner::Phase2Runner(QWidget* window, platform::Platform& machine, bool demoMode, const QString& ownFolder)
    : QObject(window)
    , window(window)
    , machine(machine)
    , demoMode(demoMode)
    , ownFolder(ownFolder)
    , printerQuery(new BoundedQuery(this))
{
}

Phase2Runner::~Phase2Runner()
{
    stopWorker();
}

Phase2ProgressDialog* Phase2Runner::progressDialog() const
{
    return dialog;
}

bool Phase2Runner::isListingPrinters() const
{
    return printerQuery->isPending();
}

bool Phase2Runner::execute(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB,
                           int themeIndex)
{
    if (isRunning()) {
        MessageBox::information(window, themeIndex, QStringLiteral("正在优化"),
                                QStringLiteral("深度优化正在执行，请等当前项目完成。"));
        return false;
    }
    // The warning of the first request is on its way; a second click must not start a second run.
    if (isListingPrinters())
        return false;
    if (items.isEmpty()) {
        MessageBox::information(window, themeIndex, QStringLiteral("提示"),
                                QStringLiteral("请先勾选要执行的优化项。"));
        return false;
    }
    const Request request{items, report, h2KeepN, a2SizeMB, themeIndex};
    if (!needsPrinterWarning(items)) {
        begin(request);
        return true;
    }
    waiting = request;
    listPrinters();
    return true;
}

bool Phase2Runner::needsPrinterWarning(const QVector<OptItem>& items)
{
    for (const OptItem& item : items) {
        if (item.id == QLatin1String("C9") && item.confirmType == QLatin1String("C9"))
            return true;
    }
    return false;
}

void Phase2Runner::listPrinters()
{
    // A demonstration asks the machine nothing and lists no printer.
    platform::Platform* asked = demoMode ? nullptr : &machine;
    printerQuery->start(
        [asked]() -> QVariant {
            std::vector<platform::PrinterInfo> printers;
            const platform::Status status = asked ? asked->devices.printers(printers) : platform::ErrorSuccess;
            // A stopped or disabled print spooler does not answer: no printer is known, nothing failed.
            if (!platform::succeeded(status) && status != platform::RpcServerUnavailable)
                return QVariant();
            QStringList lines;
            for (const auto& printer : printers)
                lines.append(QStringLiteral("• ") + toQString(printer.name));
            return lines;
        },
        [this](BoundedQuery::Outcome outcome, const QVariant& lines) { warnAboutPrinters(printerText(outcome, lines)); });
}

void Phase2Runner::warnAboutPrinters(const QString& printers)
{
    const QString text =
        QStringLiteral("检测到您安装了以下打印机：\n%1\n\n停用打印后台服务后，这些打印功能将不可用（打印到PDF、物理打印等）。"
                       "\n确定停用吗？")
            .arg(printers);
    if (!MessageBox::confirm(window, waiting.themeIndex, ThemedMessage::Warning, QStringLiteral("打印后台服务"),
                             text, QStringLiteral("确定停用"), QStringLiteral("取消")))
        return;
    begin(std::exchange(waiting, Request()));
}

void Phase2Runner::begin(const Request& request)
{
    emit starting();
    runTheme = request.themeIndex;
    if (!dialog)
        dialog = new Phase2ProgressDialog(window);
    dialog->applyTheme(request.themeIndex);
    dialog->reset();
    dialog->show();
    start(request.items, request.report, request.h2KeepN, request.a2SizeMB);
}

void Phase2Runner::start(const QVector<OptItem>& items, const ScanReportBundle& report, int h2KeepN, int a2SizeMB)
{
    thread = new QThread(window);
    executor = new Phase2Executor(machine, demoMode, ownFolder);
    Phase2Executor* worker = executor;
    connect(thread, &QThread::started, worker,
            [worker, items, report, h2KeepN, a2SizeMB] { worker->execute(items, report, h2KeepN, a2SizeMB); });
    // The executor is released on its own thread when that ends, also when the thread outlives the wait.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &Phase2Executor::progressUpdated, dialog.data(), &Phase2ProgressDialog::onProgress,
            Qt::QueuedConnection);
    connect(worker, &Phase2Executor::finished, this, &Phase2Runner::onExecutorFinished, Qt::QueuedConnection);
    connect(worker, &Phase2Executor::errorOccurred, this, &Phase2Runner::onExecutorError, Qt::QueuedConnection);
    worker->moveToThread(thread);
    thread->start();
}

void Phase2Runner::requestStop()
{
    if (thread)
        thread->requestInterruption();
}

void Phase2Runner::onExecutorFinished(const QString& executed)
{
    // A demonstration changed nothing, and every text it leaves behind says so.
    const QString summary = demoMode ? QString::fromUtf8(kDemoNote) + executed : executed;
    if (dialog) {
        dialog->onFinished(summary);
        dialog->hide();
    }
    stopWorker();
    if (demoMode)
        MessageBox::information(window, runTheme, QStringLiteral("演示完成"), summary);
    else
        MessageBox::information(window, runTheme, QStringLiteral("优化完成"),
                                QStringLiteral("您的电脑已经完成优化！\n\n") + summary);
    emit finished(summary);
}

void Phase2Runner::onExecutorError(const QString& message)
{
    MessageBox::critical(window, runTheme, QStringLiteral("执行出错"), message);
    if (dialog)
        dialog->hide();
    stopWorker();
}

void Phase2Runner::stopWorker()
{
    if (thread)
        thread->requestInterruption();
    stopWorkerThread(thread);
    thread = nullptr;
    executor = nullptr;
}
