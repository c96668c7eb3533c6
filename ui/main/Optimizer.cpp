#include "ui/main/Optimizer.h"

#include "log/RunLogger.h"
#include "ui/Resources.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/feedback/CardNumber.h"
#include "ui/feedback/FeedbackPage.h"
#include "ui/main/AgreementGate.h"
#include "ui/main/DemoSwitch.h"
#include "ui/main/FooterActions.h"
#include "ui/main/Phase1Flow.h"
#include "ui/main/Phase2Flow.h"
#include "ui/main/ToolFolder.h"
#include "ui/main/UpdateFlow.h"
#include "ui/main/WindowChrome.h"
#include "ui/main/WindowFit.h"
#include "ui/phase2/Phase2Page.h"
#include "ui/progress/ProgressPage.h"
#include "ui/result/ResultPage.h"
#include "ui/theme/ThemePalette.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPushButton>

namespace {

struct FooterButton {
    const char* name;
    void (FooterActions::*action)();
};

const FooterButton kFooterButtons[] = {
    {"websiteBtn", &FooterActions::openWebsite},
    {"aboutBtn", &FooterActions::showAbout},
    {"undoBtn", &FooterActions::showUndo},
    {"kefuBtn", &FooterActions::showCustomerService},
    {"huhangkaBtn", &FooterActions::showServiceCard},
};

} // namespace

Optimizer::Optimizer(const QStringList& arguments, const QString& appDir, QWidget* parent)
    : QWidget(parent)
    , appDir(appDir)
    , demoMode(hasDemoSwitch(arguments))
    , themeIndex(theme::kDefault)
{
    registerUiResources();
    setObjectName(QStringLiteral("Optimizer"));
    setFixedSize(WindowFit::kWidth, WindowFit::kHeight);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_StyledBackground);
    chrome = std::make_unique<WindowChrome>(this);
    chrome->applyTheme(themeIndex);
    createPages();
    createFlows();
    connectButtons();
}

Optimizer::~Optimizer()
{
    // The runs end while the window is still whole: their pages and dialogs are its children.
    delete phase1Flow;
    delete phase2Flow;
}

void Optimizer::connectButtons()
{
    connect(chrome->startButton(), &QPushButton::clicked, this, &Optimizer::onStartOptimize);
    connect(chrome->button("minBtn"), &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(chrome->button("closeBtn"), &QPushButton::clicked, this, &QWidget::close);
    for (int index = 0; index < theme::kCount; ++index)
        connect(chrome->themeButton(index), &QPushButton::clicked, this, [this, index] { setTheme(index); });
    for (const FooterButton& entry : kFooterButtons)
        connect(chrome->button(entry.name), &QPushButton::clicked, footerActions, entry.action);
    for (const ToolFolder& folder : kToolFolders) {
        const QString relative = QString::fromUtf8(folder.relativePath);
        connect(chrome->button(folder.button), &QPushButton::clicked, this,
                [this, relative] { openToolFolder(appDir, relative); });
    }
}

void Optimizer::createPages()
{
    QWidget* content = chrome->content();
    progressPage = new ProgressPage(content);
    resultPage = new ResultPage(content);
    phase2Page = new Phase2Page(content);
    const QString cardNumber = cardNumberFor(RunLogger::instance().deviceId);
    helpfulFeedbackPage = new FeedbackPage(FeedbackPage::kHelpful, cardNumber, content);
    averageFeedbackPage = new FeedbackPage(FeedbackPage::kAverage, cardNumber, content);
    for (QWidget* page : pages())
        page->hide();
    for (FeedbackPage* page : {helpfulFeedbackPage, averageFeedbackPage}) {
        page->applyTheme(themeIndex);
        connect(page, &FeedbackPage::finished, this, [this, page] { onFeedbackFinished(page); });
    }
}

void Optimizer::createFlows()
{
    phase1Flow = new Phase1Flow(progressPage, this);
    connect(phase1Flow, &Phase1Flow::resultReady, this, &Optimizer::showResult);
    connect(phase1Flow, &Phase1Flow::failed, this, &Optimizer::onPhase1Failed);
    phase2Flow = new Phase2Flow(*this, phase2Page, demoMode, appDir, this);
    connect(phase2Flow, &Phase2Flow::finished, this, &Optimizer::onPhase2Finished);
    updateFlow = new UpdateFlow(*this, appDir, chrome->versionText(), this);
    connect(phase1Flow, &Phase1Flow::ended, updateFlow, &UpdateFlow::startPendingUpdater);
    footerActions = new FooterActions(*this, appDir, demoMode, this);
    connect(helpfulFeedbackPage, &FeedbackPage::shareData, footerActions, &FooterActions::thankForSharing);
    connectResultPage();
    connectPhase2Page();
}

void Optimizer::connectResultPage()
{
    connect(resultPage, &ResultPage::finishClicked, resultPage, &QWidget::hide);
    connect(resultPage, &ResultPage::disableStartupClicked, this, [this] {
        MessageBox::information(this, themeIndex, QStringLiteral("好啦"),
                                QStringLiteral("这些软件不会再开机自己跑了，开机更快啦。"));
    });
    connect(resultPage, &ResultPage::phase2Clicked, this, &Optimizer::showPhase2Page);
    connect(resultPage, &ResultPage::cardClicked, this, [this](int groupIndex) {
        showPhase2Page();
        phase2Page->scrollToGroup(groupIndex);
    });
    connect(resultPage, &ResultPage::helpfulClicked, this, [this] { showFeedback(FeedbackPage::kHelpful); });
    connect(resultPage, &ResultPage::averageClicked, this, [this] { showFeedback(FeedbackPage::kAverage); });
    connect(resultPage, &ResultPage::remoteHelpClicked, footerActions, &FooterActions::showRemoteHelp);
}

void Optimizer::connectPhase2Page()
{
    connect(phase2Page, &Phase2Page::executeClicked, this, &Optimizer::executePhase2);
    connect(phase2Page, &Phase2Page::skipClicked, this, [this] {
        phase2Page->hide();
        resultPage->hide();
    });
    connect(phase2Page, &Phase2Page::backToResult, this, [this] {
        phase2Page->hide();
        showOverlay(resultPage);
    });
    connect(phase2Page, &Phase2Page::specialConfirmRequested, this, &Optimizer::onSpecialConfirmRequested);
    connect(phase2Page, &Phase2Page::remoteHelpClicked, footerActions, &FooterActions::showRemoteHelp);
}

void Optimizer::setTheme(int index)
{
    if (index == themeIndex || !theme::palette(index))
        return;
    themeIndex = index;
    chrome->applyTheme(themeIndex);
    if (progressPage->isVisible())
        progressPage->applyTheme(themeIndex);
    if (resultPage->isVisible())
        resultPage->applyTheme(themeIndex);
    if (phase2Page->isVisible())
        phase2Page->applyTheme(themeIndex);
    helpfulFeedbackPage->applyTheme(themeIndex);
    averageFeedbackPage->applyTheme(themeIndex);
    footerActions->applyTheme();
}

QList<QWidget*> Optimizer::pages() const
{
    return {progressPage, resultPage, phase2Page, helpfulFeedbackPage, averageFeedbackPage};
}

void Optimizer::showOverlay(QWidget* page)
{
    page->setGeometry(chrome->content()->rect());
    page->setGraphicsEffect(nullptr);
    if (page == progressPage)
        progressPage->applyTheme(themeIndex);
    else if (page == resultPage)
        resultPage->applyTheme(themeIndex);
    else if (page == phase2Page)
        phase2Page->applyTheme(themeIndex);
    else if (auto* feedback = qobject_cast<FeedbackPage*>(page))
        feedback->applyTheme(themeIndex);
    if (!overlayPages.contains(page))
        overlayPages.append(page);
    page->show();
    page->raise();
}

void Optimizer::hideOverlays()
{
    for (QWidget* page : qAsConst(overlayPages))
        page->hide();
}

void Optimizer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !chrome->titleBar()->geometry().contains(event->pos())) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging = true;
    dragOffset = event->globalPos() - frameGeometry().topLeft();
    event->accept();
}

void Optimizer::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(event->globalPos() - dragOffset);
    event->accept();
}

void Optimizer::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging = false;
    event->accept();
}

void Optimizer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (progressPage) {
        for (QWidget* page : pages())
            page->setGeometry(chrome->content()->rect());
    }
    chrome->applyStartButtonSize(themeIndex);
}

void Optimizer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    chrome->applyStartButtonSize(themeIndex);
    if (!demoMode)
        updateFlow->scheduleCheck(kUpdateCheckDelayMs);
}

void Optimizer::closeEvent(QCloseEvent* event)
{
    if (phase2Flow->holdClose()) {
        event->ignore();
        return;
    }
    // An update accepted during phase 1 was promised for the end of the run: closing is that end.
    phase1Flow->stop();
    QWidget::closeEvent(event);
}

bool Optimizer::isUpdateCheckScheduled() const
{
    return updateFlow->isCheckScheduled();
}

void Optimizer::checkForUpdate()
{
    updateFlow->check();
}

UpdateCheck* Optimizer::updateChecker() const
{
    return updateFlow->checker();
}

bool Optimizer::isRunWorking() const
{
    return phase1Flow->isWorking() || phase2Flow->isRunning();
}

QThread* Optimizer::phase1Thread() const
{
    return phase1Flow->workerThread();
}

const Phase1Result& Optimizer::lastPhase1Result() const
{
    return phase1Flow->result();
}

void Optimizer::onStartOptimize()
{
    if (demoMode) {
        phase1Flow->showDemoResult();
        return;
    }
    if (phase2Flow->isRunning()) {
        MessageBox::information(this, themeIndex, QStringLiteral("正在优化"),
                                QStringLiteral("深度优化正在执行，请等当前项目完成。"));
        return;
    }
    if (!AgreementGate(appDir).pass(this) || isRunWorking())
        return;
    showOverlay(progressPage);
    phase1Flow->start();
}

void Optimizer::onPhase1Failed(const QString& message)
{
    MessageBox::critical(this, themeIndex, QStringLiteral("优化失败"), message);
}

void Optimizer::showResult()
{
    const Phase1Result& r = phase1Flow->result();
    showOverlay(resultPage);
    resultPage->setResults(r.cleanedMB, r.freedMemoryMB, r.junkFilesCount, r.startupFasterSeconds,
                           r.startupItemsCount);
    resultPage->setReport(r.report);
    resultPage->applyTheme(themeIndex);
    phase2Page->applyReport(r.report);
}

void Optimizer::showPhase2Page()
{
    resultPage->hide();
    showOverlay(phase2Page);
}

void Optimizer::setRestorePointCounter(ItemQuestions::RestorePointCounter counter)
{
    phase2Flow->setRestorePointCounter(std::move(counter));
}

int Optimizer::restorePointsToKeep() const
{
    return phase2Flow->restorePointsToKeep();
}

int Optimizer::eventLogSizeMB() const
{
    return phase2Flow->eventLogSizeMB();
}

void Optimizer::onSpecialConfirmRequested(const QString& itemId, const QString&)
{
    phase2Flow->onSpecialConfirmRequested(itemId);
}

bool Optimizer::executePhase2(const QVector<OptItem>& items)
{
    if (phase1Flow->isWorking()) {
        MessageBox::information(this, themeIndex, QStringLiteral("正在优化"),
                                QStringLiteral("一键优化正在进行，请等它完成。"));
        return false;
    }
    return phase2Flow->execute(items, phase1Flow->result().report);
}

Phase2Runner* Optimizer::phase2() const
{
    return phase2Flow->runner();
}

void Optimizer::onPhase2Finished(bool closeWindow)
{
    updateFlow->startPendingUpdater();
    if (closeWindow) {
        close();
        return;
    }
    // The thank-you page answers the result page's question, which the user has not answered yet: back to it.
    phase2Page->hide();
    showOverlay(resultPage);
}

void Optimizer::showFeedback(int mode)
{
    FeedbackPage* page = mode == FeedbackPage::kAverage ? averageFeedbackPage : helpfulFeedbackPage;
    showOverlay(page);
    page->setFocus();
}

void Optimizer::onFeedbackFinished(FeedbackPage* page)
{
    hideOverlays();
    if (page == averageFeedbackPage)
        footerActions->showCustomerService();
}
