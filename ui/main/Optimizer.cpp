#include "ui/main/Optimizer.h"

#include "engine/undo/ChangeRecordFolder.h"
#include "log/RunLogger.h"
#include "phase1/OptimizeCore.h"
#include "phase2/RestorePointListing.h"
#include "ui/Resources.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/ImageDialog.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/UndoDialog.h"
#include "ui/dialogs/UpdatePromptDialog.h"
#include "ui/feedback/CardNumber.h"
#include "ui/feedback/FeedbackPage.h"
#include "ui/main/AgreementGate.h"
#include "engine/BoundedQuery.h"
#include "ui/main/DemoSample.h"
#include "ui/main/DemoSwitch.h"
#include "ui/main/ToolFolder.h"
#include "ui/main/WindowFit.h"
#include "ui/main/WorkerThreadStop.h"
#include "ui/phase2/Phase2Page.h"
#include "ui/phase2/Phase2Runner.h"
#include "ui/progress/ProgressPage.h"
#include "ui/result/ResultPage.h"
#include "ui/theme/MainWindowStyle.h"
#include "update/UpdateCheck.h"
#include "update/VersionNumber.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGraphicsEffect>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kWebsite = "https://www.tidewell.example/";

// The pictures of the image dialog: the service card, customer service, remote help.
const char* const kServiceCardImage = ":/ICON/1.png";
const char* const kCustomerServiceImage = ":/ICON/2.png";

struct WidgetText {
    const char* name;
    const char* text;
};

// The texts of the window's own widgets, set once after they are built.
const WidgetText kTexts[] = {
    {"safetyLabel", "🛡️ 永久免费 · 无广告 · 无病毒 · 安全认证 · 持续更新"},
    {"minBtn", "—"},
    {"closeBtn", "✕"},
    {"gameModeBtn", "🎮 游戏办公"},
    {"elderModeBtn", "👴 长辈关怀"},
    {"proModeBtn", "💻 电脑达人"},
    {"titleLabel", "Tidewell"},
    {"subtitleLabel", "点一下就帮您收拾好电脑，用起来更流畅"},
    {"startBtn", "点我开始收拾电脑"},
    {"tipLabel", "✅ 安全无毒 · ✅ 不用安装 · ✅ 不绑乱七八糟的软件 · ✅ 不碰您的隐私 · ✅ 永久免费"},
    {"netFixBtn", "🌐 网络驱动修复"},
    {"remoteBtn", "💻 远程协助工具"},
    {"toolsBtn", "🧰 实用工具"},
    {"runtimeBtn", "📦 系统运行库修复"},
    {"footerName", "Tidewell"},
    {"footerVersion", "V1.1.1.5"},
    {"undoBtn", "撤销优化"},
    {"kefuBtn", "联系客服"},
    {"huhangkaBtn", "护航卡"},
    {"websiteBtn", "官网"},
    {"aboutBtn", "关于"},
};

// The theme buttons, in theme order.
const char* const kModeButtons[] = {"gameModeBtn", "elderModeBtn", "proModeBtn"};

// The buttons that wear the "small" sheet.
const char* const kSmallButtons[] = {"minBtn", "undoBtn", "kefuBtn", "huhangkaBtn", "websiteBtn", "aboutBtn"};

struct ButtonSize {
    const char* name;
    int minWidth;
    int minHeight;
};

const ButtonSize kFooterButtons[] = {
    {"undoBtn", 64, 28},
    {"kefuBtn", 64, 28},
    {"huhangkaBtn", 64, 28},
    {"websiteBtn", 50, 28},
    {"aboutBtn", 50, 28},
};

const int kToolButtonMinWidths[] = {120, 120, 120, 130};

constexpr int kModeButtonMinHeight = 36;

QLabel* newLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton* newButton(QWidget* parent, const char* name)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QPixmap scaledImage(const QString& resource, int side)
{
    return QPixmap(resource).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

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
    buildWidgets();
    setTexts();
    connectButtons();
    networkManager = new QNetworkAccessManager(this);
    updateCheck = new UpdateCheck(networkManager, this);
    connect(updateCheck, &UpdateCheck::offered, this, &Optimizer::onUpdateCheckFinished);
    updaterLauncher = std::make_unique<UpdaterLauncher>(appDir);
    applyThemeSheets();
    createPages();
    restorePointQuery = new BoundedQuery(this);
    if (demoMode)
        restorePointCounter = [] { return kDemoRestorePoints; };
}

Optimizer::~Optimizer()
{
    stopPhase1Worker();
    delete phase2Runner;
}

void Optimizer::buildWidgets()
{
    titleBar = buildTitleBar();
    contentWidget = buildContent();
    footerBar = buildFooter();
    auto* rootLayout = new QVBoxLayout(this);
    rootLayout->setObjectName(QStringLiteral("rootLayout"));
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->setSpacing(0);
    rootLayout->addWidget(titleBar);
    rootLayout->addWidget(contentWidget);
    rootLayout->addWidget(footerBar);
}

QWidget* Optimizer::buildTitleBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("titleBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(44);
    QLabel* safetyLabel = newLabel(bar, "safetyLabel");
    QPushButton* minBtn = newButton(bar, "minBtn");
    QPushButton* closeBtn = newButton(bar, "closeBtn");
    minBtn->setFixedSize(44, 32);
    closeBtn->setFixedSize(44, 32);

    auto* titleLayout = new QHBoxLayout(bar);
    titleLayout->setObjectName(QStringLiteral("titleLayout"));
    titleLayout->setContentsMargins(16, 0, 8, 0);
    titleLayout->addWidget(safetyLabel);
    titleLayout->addStretch();
    titleLayout->addWidget(minBtn);
    titleLayout->addWidget(closeBtn);
    return bar;
}

QWidget* Optimizer::buildContent()
{
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("contentWidget"));
    content->setStyleSheet(QStringLiteral("background: transparent;"));

    QLabel* appIcon = newLabel(content, "appIcon");
    appIcon->setPixmap(scaledImage(QStringLiteral(":/ICON/T512.png"), 72));
    appIcon->setAlignment(Qt::AlignCenter);
    QLabel* titleLabel = newLabel(content, "titleLabel");
    QLabel* subtitleLabel = newLabel(content, "subtitleLabel");
    QLabel* tipLabel = newLabel(content, "tipLabel");
    for (QLabel* label : {titleLabel, subtitleLabel, tipLabel})
        label->setAlignment(Qt::AlignCenter);
    startBtn = newButton(content, "startBtn");
    startBtn->setFixedSize(280, 52);
    startBtn->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto* mainLayout = new QVBoxLayout(content);
    mainLayout->setObjectName(QStringLiteral("mainLayout"));
    mainLayout->setContentsMargins(50, 10, 50, 10);
    mainLayout->addWidget(buildModeBar(content));
    mainLayout->addSpacerItem(new QSpacerItem(20, 30, QSizePolicy::Minimum, QSizePolicy::Fixed));
    mainLayout->addWidget(appIcon);
    mainLayout->addWidget(titleLabel);
    mainLayout->addWidget(subtitleLabel);
    mainLayout->addStretch();
    mainLayout->addWidget(startBtn, 0, Qt::AlignHCenter);
    mainLayout->addWidget(tipLabel);
    mainLayout->addWidget(buildToolBar(content));
    mainLayout->addStretch();
    return content;
}

QWidget* Optimizer::buildModeBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("modeBar"));
    auto* modeLayout = new QHBoxLayout(bar);
    modeLayout->setObjectName(QStringLiteral("modeLayout"));
    modeLayout->setContentsMargins(0, 0, 0, 0);
    modeLayout->setSpacing(8);
    modeLayout->addStretch();
    for (const char* name : kModeButtons) {
        QPushButton* button = newButton(bar, name);
        button->setCheckable(true);
        button->setMinimumSize(110, kModeButtonMinHeight);
        modeLayout->addWidget(button);
    }
    modeLayout->addStretch();
    bar->findChild<QPushButton*>(QLatin1String(kModeButtons[theme::kDefault]))->setChecked(true);
    return bar;
}

QWidget* Optimizer::buildToolBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("toolBar"));
    auto* toolLayout = new QHBoxLayout(bar);
    toolLayout->setObjectName(QStringLiteral("toolLayout"));
    toolLayout->setContentsMargins(0, 24, 0, 10);
    toolLayout->setSpacing(16);
    toolLayout->addStretch();
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = newButton(bar, kToolFolders[i].button);
        button->setMinimumWidth(kToolButtonMinWidths[i]);
        button->setFixedHeight(40);
        toolLayout->addWidget(button);
    }
    toolLayout->addStretch();
    return bar;
}

QWidget* Optimizer::buildFooter()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("footerBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(36);
    auto* footerLayout = new QHBoxLayout(bar);
    footerLayout->setObjectName(QStringLiteral("footerLayout"));
    footerLayout->setContentsMargins(16, 0, 16, 0);
    footerLayout->setSpacing(8);

    QLabel* footerLogo = newLabel(bar, "footerLogo");
    footerLogo->setPixmap(scaledImage(QStringLiteral(":/ICON/T512.png"), 20));
    footerLayout->addWidget(footerLogo);
    footerLayout->addWidget(newLabel(bar, "footerName"));
    footerLayout->addWidget(newLabel(bar, "footerVersion"));
    footerLayout->addStretch();
    for (const ButtonSize& size : kFooterButtons) {
        QPushButton* button = newButton(bar, size.name);
        button->setMinimumSize(size.minWidth, size.minHeight);
        footerLayout->addWidget(button);
    }
    return bar;
}

void Optimizer::setTexts()
{
    setWindowTitle(QStringLiteral("Tidewell"));
    setWindowIcon(QIcon(QStringLiteral(":/ICON/T512.ico")));
    // Runs before the pages exist, so every name below is one of the window's own widgets.
    for (const WidgetText& entry : kTexts) {
        const QString name = QLatin1String(entry.name);
        const QString text = QString::fromUtf8(entry.text);
        if (auto* label = findChild<QLabel*>(name))
            label->setText(text);
        else if (auto* button = findChild<QPushButton*>(name))
            button->setText(text);
    }
}

void Optimizer::connectButtons()
{
    auto button = [this](const char* name) { return findChild<QPushButton*>(QLatin1String(name)); };
    connect(startBtn, &QPushButton::clicked, this, &Optimizer::onStartOptimize);
    connect(button("minBtn"), &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(button("closeBtn"), &QPushButton::clicked, this, &QWidget::close);
    for (int index = 0; index < theme::kCount; ++index)
        connect(button(kModeButtons[index]), &QPushButton::clicked, this, [this, index] { setTheme(index); });
    connect(button("websiteBtn"), &QPushButton::clicked, this, &Optimizer::onWebsiteClicked);
    connect(button("aboutBtn"), &QPushButton::clicked, this, &Optimizer::onAboutClicked);
    connect(button("undoBtn"), &QPushButton::clicked, this, &Optimizer::onUndoClicked);
    connect(button("kefuBtn"), &QPushButton::clicked, this,
            [this] { showImageDialog(QLatin1String(kCustomerServiceImage)); });
    connect(button("huhangkaBtn"), &QPushButton::clicked, this,
            [this] { showImageDialog(QLatin1String(kServiceCardImage)); });
    for (const ToolFolder& folder : kToolFolders) {
        const QString relative = QString::fromUtf8(folder.relativePath);
        connect(button(folder.button), &QPushButton::clicked, this,
                [this, relative] { openToolFolder(appDir, relative); });
    }
}

void Optimizer::createPages()
{
    progressPage = new ProgressPage(contentWidget);
    progressPage->hide();
    connect(progressPage, &ProgressPage::optimizationFinished, this, &Optimizer::onOptimizationFinished);

    resultPage = new ResultPage(contentWidget);
    resultPage->hide();
    connect(resultPage, &ResultPage::finishClicked, this, &Optimizer::onResultPageFinish);
    connect(resultPage, &ResultPage::disableStartupClicked, this, &Optimizer::onResultPageDisableStartup);
    connect(resultPage, &ResultPage::phase2Clicked, this, &Optimizer::onPhase2Clicked);
    connect(resultPage, &ResultPage::cardClicked, this, &Optimizer::onCardClicked);

    phase2Page = new Phase2Page(contentWidget);
    phase2Page->hide();
    connect(phase2Page, &Phase2Page::executeClicked, this, &Optimizer::onExecuteClicked);
    connect(phase2Page, &Phase2Page::skipClicked, this, [this] {
        phase2Page->hide();
        resultPage->hide();
    });
    connect(phase2Page, &Phase2Page::backToResult, this, [this] {
        phase2Page->hide();
        showOverlay(resultPage);
    });
    connect(phase2Page, &Phase2Page::specialConfirmRequested, this, &Optimizer::onSpecialConfirmRequested);
    const QString cardNumber = cardNumberFor(RunLogger::instance().deviceId);
    helpfulFeedbackPage = new FeedbackPage(FeedbackPage::kHelpful, cardNumber, contentWidget);
    averageFeedbackPage = new FeedbackPage(FeedbackPage::kAverage, cardNumber, contentWidget);
    for (FeedbackPage* page : {helpfulFeedbackPage, averageFeedbackPage}) {
        page->hide();
        page->applyTheme(themeIndex);
        connect(page, &FeedbackPage::finished, this, [this, page] { onFeedbackFinished(page); });
    }
    connect(helpfulFeedbackPage, &FeedbackPage::shareData, this, &Optimizer::onFeedbackShared);
    connect(resultPage, &ResultPage::helpfulClicked, this, [this] { showFeedback(FeedbackPage::kHelpful); });
    connect(resultPage, &ResultPage::averageClicked, this, [this] { showFeedback(FeedbackPage::kAverage); });
    const auto showRemoteHelp = [this] { showImageDialog(QStringLiteral(":/ICON/3.png")); };
    connect(resultPage, &ResultPage::remoteHelpClicked, this, showRemoteHelp);
    connect(phase2Page, &Phase2Page::remoteHelpClicked, this, showRemoteHelp);
}

void Optimizer::applyThemeSheets()
{
    const theme::ThemePalette& palette = *theme::palette(themeIndex);
    const theme::MainWindowSheets sheets = theme::mainWindowSheets(palette);
    setStyleSheet(sheets.window);
    startBtn->setStyleSheet(sheets.start);
    // Qt draws square corners when a radius exceeds half the button's height, so the pill-shaped theme
    // buttons grow to twice their radius where 36 pixels are too few.
    const int modeHeight = std::max(kModeButtonMinHeight, 2 * palette.buttons.modeRadius);
    for (int index = 0; index < theme::kCount; ++index) {
        auto* button = findChild<QPushButton*>(QLatin1String(kModeButtons[index]));
        button->setStyleSheet(index == themeIndex ? sheets.modeActive : sheets.modeIdle);
        button->setMinimumHeight(modeHeight);
    }
    for (const ToolFolder& folder : kToolFolders)
        findChild<QPushButton*>(QLatin1String(folder.button))->setStyleSheet(sheets.tool);
    for (const char* name : kSmallButtons)
        findChild<QPushButton*>(QLatin1String(name))->setStyleSheet(sheets.small);
    findChild<QPushButton*>(QStringLiteral("closeBtn"))->setStyleSheet(sheets.close);
}

void Optimizer::setTheme(int index)
{
    if (index == themeIndex || !theme::palette(index))
        return;
    themeIndex = index;
    applyThemeSheets();
    if (progressPage->isVisible())
        progressPage->applyTheme(themeIndex);
    if (resultPage->isVisible())
        resultPage->applyTheme(themeIndex);
    if (phase2Page->isVisible())
        phase2Page->applyTheme(themeIndex);
    helpfulFeedbackPage->applyTheme(themeIndex);
    averageFeedbackPage->applyTheme(themeIndex);
    if (aboutDialog)
        aboutDialog->setTheme(themeIndex);
}

void Optimizer::applyStartButtonSize()
{
    startBtn->setFixedSize(280, themeIndex == theme::kWarm ? 56 : 52);
}

void Optimizer::showOverlay(QWidget* page)
{
    page->setGeometry(contentWidget->rect());
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
    if (event->button() != Qt::LeftButton || !titleBar->geometry().contains(event->pos())) {
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
    QWidget* const pages[] = {progressPage, resultPage, phase2Page, helpfulFeedbackPage, averageFeedbackPage};
    for (QWidget* page : pages) {
        if (page)
            page->setGeometry(contentWidget->rect());
    }
    applyStartButtonSize();
}

void Optimizer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyStartButtonSize();
    if (updateCheckStarted || demoMode)
        return;
    updateCheckStarted = true;
    QTimer::singleShot(kUpdateCheckDelayMs, this, &Optimizer::checkForUpdate);
}

void Optimizer::checkForUpdate()
{
    const QString footer = findChild<QLabel*>(QStringLiteral("footerVersion"))->text();
    updateCheck->start(UpdateConfig::load(appDir), version::fromFooterText(footer));
}

void Optimizer::onUpdateCheckFinished(const UpdateOffer& offer)
{
    UpdatePromptDialog prompt(this, themeIndex, offer.version, offer.releaseNote, offer.forced);
    if (DialogRunner::exec(prompt) != QDialog::Accepted)
        return;
    reportUpdater(updaterLauncher->request(isRunWorking()));
}

bool Optimizer::isRunWorking() const
{
    return optimizeThread != nullptr || (phase2Runner && phase2Runner->isRunning());
}

void Optimizer::startPendingUpdater()
{
    if (updaterLauncher->isPending())
        reportUpdater(updaterLauncher->runEnded());
}

void Optimizer::reportUpdater(UpdaterLauncher::Outcome outcome)
{
    switch (outcome) {
    case UpdaterLauncher::Outcome::Started:
        return;
    case UpdaterLauncher::Outcome::Deferred:
        MessageBox::information(this, QStringLiteral("稍后更新"), QStringLiteral("电脑正在优化，优化结束后会自动开始更新。"));
        return;
    case UpdaterLauncher::Outcome::Missing:
        MessageBox::information(this, QStringLiteral("无法更新"),
                                QStringLiteral("没有找到更新程序 updaterwindow.exe，请到官网下载最新版本。"));
        return;
    case UpdaterLauncher::Outcome::Failed:
        MessageBox::information(this, QStringLiteral("无法更新"),
                                QStringLiteral("更新程序没能启动，请稍后再试，或到官网下载最新版本。"));
        return;
    }
}

void Optimizer::onStartOptimize()
{
    if (demoMode) {
        showDemoResult();
        return;
    }
    if (phase2Runner && phase2Runner->isRunning()) {
        MessageBox::information(this, QStringLiteral("正在优化"), QStringLiteral("深度优化正在执行，请等当前项目完成。"));
        return;
    }
    if (!AgreementGate(appDir).pass(this))
        return;
    startPhase1();
}

void Optimizer::showDemoResult()
{
    phase1Result = demoSample();
    showResult();
}

void Optimizer::showResult()
{
    const Phase1Result& r = phase1Result;
    showOverlay(resultPage);
    resultPage->setResults(r.cleanedMB, r.freedMemoryMB, r.junkFilesCount, r.startupFasterSeconds,
                           r.startupItemsCount);
    resultPage->setReport(r.report);
    resultPage->applyTheme(themeIndex);
    phase2Page->applyReport(r.report);
}

void Optimizer::startPhase1()
{
    if (optimizeThread || (phase2Runner && phase2Runner->isRunning()))
        return;
    showOverlay(progressPage);
    optimizeThread = new QThread(this);
    optimizeCore = new OptimizeCore();
    connect(optimizeThread, &QThread::started, optimizeCore, &OptimizeCore::startOptimize);
    connect(optimizeThread, &QThread::finished, optimizeCore, &QObject::deleteLater);
    connect(optimizeCore, &OptimizeCore::progressUpdated, progressPage, &ProgressPage::onProgressUpdate,
            Qt::QueuedConnection);
    connect(optimizeCore, &OptimizeCore::optimizationFinished, this, &Optimizer::onEngineFinished,
            Qt::QueuedConnection);
    connect(optimizeCore, &OptimizeCore::errorOccurred, this, &Optimizer::onEngineError, Qt::QueuedConnection);
    optimizeCore->moveToThread(optimizeThread);
    optimizeThread->start();
}

void Optimizer::onEngineFinished()
{
    progressPage->onOptimizationDone();
}

void Optimizer::onOptimizationFinished()
{
    progressPage->hide();
    phase1Result = Phase1Result();
    if (optimizeCore) {
        phase1Result = {optimizeCore->cleanedMB,          optimizeCore->freedMemoryMB,
                        optimizeCore->junkFilesCount,     optimizeCore->startupFasterSeconds,
                        optimizeCore->startupItemsCount,  optimizeCore->report};
    }
    showResult();
    stopPhase1Worker();
    startPendingUpdater();
}

void Optimizer::onResultPageFinish()
{
    resultPage->hide();
}

void Optimizer::onResultPageDisableStartup()
{
    MessageBox::information(this, QStringLiteral("好啦"), QStringLiteral("这些软件不会再开机自己跑了，开机更快啦。"));
}

void Optimizer::onPhase2Clicked()
{
    resultPage->hide();
    showOverlay(phase2Page);
}

void Optimizer::onCardClicked(int groupIndex)
{
    onPhase2Clicked();
    phase2Page->scrollToGroup(groupIndex);
}

void Optimizer::setRestorePointCounter(ItemQuestions::RestorePointCounter counter)
{
    restorePointCounter = std::move(counter);
}

void Optimizer::onSpecialConfirmRequested(const QString& itemId, const QString&)
{
    if (itemId == QLatin1String("H2")) {
        countRestorePoints();
        return;
    }
    // A question answered with cancel must not leave its item ticked with a value nobody chose.
    if (itemId == QLatin1String("A2") && !ItemQuestions::askEventLogSize(this, a2SizeMB))
        phase2Page->setItemChecked(itemId, false);
}

void Optimizer::countRestorePoints()
{
    ItemQuestions::RestorePointCounter counter = restorePointCounter;
    if (!counter) {
        // The question counts the points with the listing the clean-up itself uses.
        platform::Platform& machine = platform::current();
        counter = [&machine] {
            QVector<RestorePointListing::Point> points;
            return RestorePointListing(machine).read(points) ? points.size() : ItemQuestions::kCountUnreadable;
        };
    }
    // Ticking again while a count is under way waits for that same answer, so the question comes once.
    restorePointQuery->start([counter] { return QVariant(counter()); },
                             [this](BoundedQuery::Outcome outcome, const QVariant& answer) {
                                 onRestorePointsCounted(outcome == BoundedQuery::Outcome::Answered
                                                            ? answer.toInt()
                                                            : ItemQuestions::kCountTimedOut);
                             });
}

void Optimizer::onRestorePointsCounted(int restorePoints)
{
    // Unticked while the machine was asked: nobody waits for the question any more.
    if (!phase2Page->isItemChecked(QStringLiteral("H2")))
        return;
    if (!ItemQuestions::askRestorePointsToKeep(this, restorePoints, h2KeepN))
        phase2Page->setItemChecked(QStringLiteral("H2"), false);
}

void Optimizer::onExecuteClicked(const QVector<OptItem>& items)
{
    executePhase2(items);
}

void Optimizer::onEngineError(const QString& errorMsg)
{
    MessageBox::critical(this, QStringLiteral("优化失败"), errorMsg);
    progressPage->hide();
    stopPhase1Worker();
    startPendingUpdater();
}

void Optimizer::stopPhase1Worker()
{
    // The engine deletes itself when its thread ends (connected in startPhase1), so that it is released
    // on its own thread even when the thread outlives the wait.
    stopWorkerThread(optimizeThread);
    optimizeThread = nullptr;
    optimizeCore = nullptr;
}

Phase2Runner* Optimizer::ensurePhase2Runner()
{
    if (!phase2Runner) {
        phase2Runner = new Phase2Runner(this, platform::current(), demoMode, QDir::toNativeSeparators(appDir));
        connect(phase2Runner, &Phase2Runner::starting, phase2Page, &QWidget::hide);
        connect(phase2Runner, &Phase2Runner::finished, this, &Optimizer::onPhase2Finished);
    }
    return phase2Runner;
}

bool Optimizer::executePhase2(const QVector<OptItem>& items)
{
    if (optimizeThread) {
        MessageBox::information(this, QStringLiteral("正在优化"), QStringLiteral("一键优化正在进行，请等它完成。"));
        return false;
    }
    // The kept number is not chosen yet; running now would clean with a value nobody picked.
    if (restorePointQuery->isPending()) {
        MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("正在统计系统还原点，请稍候再执行。"));
        return false;
    }
    return ensurePhase2Runner()->execute(items, phase1Result.report, h2KeepN, a2SizeMB, themeIndex);
}

void Optimizer::onPhase2Finished()
{
    startPendingUpdater();
    if (closeAfterPhase2) {
        close();
        return;
    }
    phase2Page->hide();
    resultPage->hide();
    showFeedback(FeedbackPage::kHelpful);
}

void Optimizer::closeEvent(QCloseEvent* event)
{
    if (!phase2Runner || !phase2Runner->isRunning()) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    if (closeAfterPhase2)
        return;
    closeAfterPhase2 = true;
    phase2Runner->requestStop();
    MessageBox::information(this, QStringLiteral("正在优化"),
                            QStringLiteral("深度优化正在执行，当前项目完成后会停止，然后关闭窗口。"));
}

void Optimizer::onWebsiteClicked()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebsite)));
}

void Optimizer::onAboutClicked()
{
    if (!aboutDialog)
        aboutDialog = new AboutDialog(this, themeIndex, appDir);
    aboutDialog->setTheme(themeIndex);
    DialogRunner::exec(*aboutDialog);
}

void Optimizer::onUndoClicked()
{
    if (isRunWorking() || (phase2Runner && phase2Runner->isRunning())) {
        MessageBox::information(this, QStringLiteral("正在优化"), QStringLiteral("请等这次优化完成后再撤销。"));
        return;
    }
    // A demonstration changes nothing, so it has nothing to undo either.
    const RunLogger& logger = RunLogger::instance();
    const QString records = demoMode ? QString() : ChangeRecordFolder::besideLogs(logger.logDir);
    UndoDialog dialog(this, platform::current(), records, logger.deviceId, themeIndex);
    DialogRunner::exec(dialog);
}

void Optimizer::showFeedback(int mode)
{
    FeedbackPage* page = mode == FeedbackPage::kAverage ? averageFeedbackPage : helpfulFeedbackPage;
    showOverlay(page);
    page->setFocus();
}

void Optimizer::onFeedbackShared()
{
    // Nothing is transmitted, so the thank-you must not say that anything was.
    MessageBox::information(nullptr, QStringLiteral("谢谢您"), QStringLiteral("感谢您的支持！本程序不会上传任何数据。"));
}

void Optimizer::onFeedbackFinished(FeedbackPage* page)
{
    hideOverlays();
    if (page == averageFeedbackPage)
        showImageDialog(QLatin1String(kCustomerServiceImage));
}

void Optimizer::showImageDialog(const QString& image)
{
    if (!imageDialog)
        imageDialog = new ImageDialog(this, themeIndex);
    imageDialog->setImage(image);
    imageDialog->setTheme(themeIndex);
    DialogRunner::exec(*imageDialog);
}
