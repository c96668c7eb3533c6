#include "ui/result/ResultPage.h"

#include "phase2/OptCatalogue.h"
#include "ui/result/ResultPageStyle.h"
#include "ui/result/ResultRules.h"
#include "ui/widgets/NamedButton.h"
#include "ui/widgets/ThinScrollBar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVariant>
#include <QVBoxLayout>

namespace {

struct ResultCardRow {
    const char* icon;
    const char* caption;
};

// The fourth card shows an estimate: phase 1 switches no start-up entry off, it only counts them.
const ResultCardRow kResultCards[] = {
    {"💾", "腾出空间"},
    {"⚡", "释放内存"},
    {"🗑️", "清理垃圾"},
    {"🚀", "预计可提速"},
};

struct FindingCardRow {
    const char* name;
    const char* icon;
    const char* caption;
    const char* valueColour;
    int groupIndex;
};

const FindingCardRow kFindingCards[] = {
    {"cardStartup", "🚀", "开机自启", "color:#F59E0B;", OptCatalogue::kStartupGroup},
    {"cardAdw", "🧭", "垃圾软件", "color:#F59E0B;", OptCatalogue::kJunkGroup},
    {"cardBhj", "🌐", "浏览器劫持", "color:#EF4444;", OptCatalogue::kJunkGroup},
    {"cardPop", "📢", "可疑弹窗", "color:#F59E0B;", OptCatalogue::kJunkGroup},
};

const char* const kGroupIndexProperty = "groupIndex";

QLabel* newLabel(QWidget* parent, const QString& name, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* findingValue(QWidget* card)
{
    return card->findChild<QLabel*>(card->objectName() + QStringLiteral("Value"));
}

} // namespace

ResultPage::ResultPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ResultPage"));
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(QStringLiteral("优化结果"));
    resize(800, 680);
    animationTimer = new QTimer(this);
    animationTimer->setInterval(kAnimationStepMs);
    connect(animationTimer, &QTimer::timeout, this, &ResultPage::animateNumbers);
    buildWidgets();
    drawNumbers();
}

void ResultPage::buildWidgets()
{
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("resultScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setStyleSheet(QStringLiteral("QScrollArea#resultScroll { background: transparent; border: none; }"
                                         "QWidget#resultScrollContainer { background: transparent; }")
                          + thinScrollBarSheet());
    container = new QWidget(scroll);
    container->setObjectName(QStringLiteral("resultScrollContainer"));
    scroll->setWidget(container);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    mainLayout = new QVBoxLayout(container);
    mainLayout->setObjectName(QStringLiteral("mainLayout"));
    mainLayout->setSpacing(6);
    // Tight at top and bottom: in the warm theme's larger type everything down to the remote-help button must
    // still fit the 860 x 680 window without scrolling.
    mainLayout->setContentsMargins(40, 8, 40, 6);
    mainLayout->addWidget(buildHealthCard(container));
    mainLayout->addLayout(buildResultCards(container));
    mainLayout->addWidget(buildStartupBar(container));
    mainLayout->addWidget(buildPromptRow(container));
    mainLayout->addWidget(buildFindingCards(container));
    mainLayout->addLayout(buildButtonRows(container));
    mainLayout->addStretch();
}

QFrame* ResultPage::buildHealthCard(QWidget* parent)
{
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("healthCard"));
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(14, 4, 14, 4);
    row->setSpacing(10);
    row->addWidget(newLabel(card, QStringLiteral("healthScore"), QString::number(kInitialScore)));
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->addWidget(newLabel(card, QStringLiteral("healthTitle"), QStringLiteral("电脑健康评分")));
    column->addWidget(newLabel(card, QStringLiteral("healthDesc"), QStringLiteral("电脑现在很流畅，用起来更顺手啦！")));
    row->addLayout(column, 1);
    return card;
}

QBoxLayout* ResultPage::buildResultCards(QWidget* parent)
{
    auto* cardsLayout = new QHBoxLayout;
    cardsLayout->setObjectName(QStringLiteral("cardsLayout"));
    cardsLayout->setSpacing(8);
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        auto* frame = new QFrame(parent);
        frame->setObjectName(QStringLiteral("cardFrame") + n);
        auto* column = new QVBoxLayout(frame);
        column->setContentsMargins(8, 4, 8, 4);
        column->setSpacing(1);
        const QString icon = QString::fromUtf8(kResultCards[i].icon);
        const QString caption = QString::fromUtf8(kResultCards[i].caption);
        for (QLabel* label : {newLabel(frame, QStringLiteral("cardIcon") + n, icon),
                              newLabel(frame, QStringLiteral("cardValue") + n),
                              newLabel(frame, QStringLiteral("cardDesc") + n, caption)}) {
            label->setAlignment(Qt::AlignCenter);
            column->addWidget(label);
        }
        cardsLayout->addWidget(frame);
    }
    return cardsLayout;
}

QWidget* ResultPage::buildStartupBar(QWidget* parent)
{
    startupBar = new QWidget(parent);
    startupBar->setObjectName(QStringLiteral("startupBar"));
    startupBar->setAttribute(Qt::WA_StyledBackground);
    startupLabel = newLabel(startupBar, QStringLiteral("startupLabel"));
    QPushButton* button = namedButton(startupBar, "startupBtn", "帮我关掉它们");
    connect(button, &QPushButton::clicked, this, &ResultPage::onStartupBtnClicked);
    auto* row = new QHBoxLayout(startupBar);
    row->addWidget(startupLabel, 1);
    row->addWidget(button);
    startupBar->hide();
    return startupBar;
}

QFrame* ResultPage::buildPromptRow(QWidget* parent)
{
    auto* prompt = new QFrame(parent);
    prompt->setObjectName(QStringLiteral("promptRow"));
    auto* row = new QHBoxLayout(prompt);
    row->setContentsMargins(10, 4, 10, 4);
    QLabel* text = newLabel(prompt, QStringLiteral("promptText"), QStringLiteral("更多可优化问题，立刻进行深度清理"));
    text->setStyleSheet(QStringLiteral("font-size:13px; font-weight:600; background:transparent;"));
    QLabel* arrow = newLabel(prompt, QStringLiteral("promptArrow"), QStringLiteral("→"));
    arrow->setStyleSheet(QStringLiteral("font-size:14px; font-weight:bold; background:transparent;"));
    row->addWidget(text, 1);
    row->addWidget(arrow);
    return prompt;
}

QWidget* ResultPage::buildFindingCards(QWidget* parent)
{
    findingCards = new QWidget(parent);
    findingCards->setObjectName(QStringLiteral("fourCardsWidget"));
    auto* strip = new QHBoxLayout(findingCards);
    strip->setSpacing(6);
    strip->setContentsMargins(0, 0, 0, 0);
    for (const FindingCardRow& row : kFindingCards) {
        QPushButton* card = namedButton(findingCards, row.name, "");
        card->setFlat(true);
        card->setMinimumHeight(65);
        card->setProperty(kGroupIndexProperty, row.groupIndex);
        connect(card, &QPushButton::clicked, this, &ResultPage::onCardClicked);
        auto* stack = new QVBoxLayout(card);
        stack->setSpacing(0);
        stack->setContentsMargins(4, 4, 4, 4);
        stack->setAlignment(Qt::AlignCenter);
        QLabel* icon = newLabel(card, card->objectName() + QStringLiteral("Icon"), QString::fromUtf8(row.icon));
        icon->setStyleSheet(QStringLiteral("font-size:16px; background:transparent;"));
        QLabel* value = newLabel(card, card->objectName() + QStringLiteral("Value"), QStringLiteral("0个"));
        value->setStyleSheet(QStringLiteral("font-size:15px; font-weight:800; background:transparent; %1")
                                 .arg(QLatin1String(row.valueColour)));
        QLabel* caption = newLabel(card, QStringLiteral("findingCaption"), QString::fromUtf8(row.caption));
        caption->setStyleSheet(QStringLiteral("font-size:10px; background:transparent;"));
        for (QLabel* label : {icon, value, caption}) {
            label->setAlignment(Qt::AlignCenter);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            stack->addWidget(label);
        }
        strip->addWidget(card);
    }
    return findingCards;
}

QBoxLayout* ResultPage::buildButtonRows(QWidget* parent)
{
    auto* rows = new QVBoxLayout;
    rows->setSpacing(6);

    auto* entryRow = new QHBoxLayout;
    entryRow->setSpacing(10);
    QPushButton* entry = namedButton(parent, "phase2EntryBtn", "🔍 查看详细分析报告 →");
    entry->setMinimumHeight(34);
    entry->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QPushButton* finish = namedButton(parent, "finishBtn", "好了，回到首页");
    finish->setMinimumWidth(170);
    entryRow->addWidget(entry, 1);
    entryRow->addWidget(finish);
    rows->addLayout(entryRow);

    auto* feedbackLayout = new QHBoxLayout;
    feedbackLayout->setObjectName(QStringLiteral("feedbackLayout"));
    feedbackLayout->setSpacing(16);
    QPushButton* helpful = namedButton(parent, "helpfulBtn", "👍 挺好用的");
    QPushButton* average = namedButton(parent, "averageBtn", "🤔 还不太满意");
    // 8 pixels of the height are the sheet's bottom margin; the 40 left keep the 20-pixel radius round.
    for (QPushButton* button : {helpful, average})
        button->setMinimumSize(150, 48);
    feedbackLayout->addStretch();
    feedbackLayout->addWidget(helpful);
    feedbackLayout->addWidget(average);
    feedbackLayout->addStretch();
    rows->addLayout(feedbackLayout);

    QLabel* reminder = newLabel(parent, QStringLiteral("reminderLabel"),
                                QStringLiteral("建议您每隔一两个星期就点一次，电脑一直好用。"));
    reminder->setAlignment(Qt::AlignCenter);
    rows->addWidget(reminder);
    QPushButton* remote = namedButton(parent, "remoteHelpBtn", "🆘 电脑问题没解决？专家首次免费远程协助 →");
    // Qt squares the corners of a radius above half the height; the sheet's radius is 24.
    remote->setMinimumHeight(48);
    rows->addWidget(remote);

    connect(entry, &QPushButton::clicked, this, &ResultPage::onPhase2Clicked);
    connect(finish, &QPushButton::clicked, this, &ResultPage::finishClicked);
    connect(helpful, &QPushButton::clicked, this, &ResultPage::helpfulClicked);
    connect(average, &QPushButton::clicked, this, &ResultPage::averageClicked);
    connect(remote, &QPushButton::clicked, this, &ResultPage::remoteHelpClicked);
    return rows;
}

void ResultPage::setResults(int cleaned, int freedMemory, int junkFiles, int fasterSeconds, int startupItems)
{
    cleanedMB = cleaned;
    freedMemoryMB = freedMemory;
    junkFilesCount = junkFiles;
    startupFasterSeconds = fasterSeconds;
    startupItemsCount = startupItems;
    score = ResultRules::healthScore(cleaned, freedMemory, junkFiles);
    findChild<QLabel*>(QStringLiteral("healthDesc"))->setText(QStringLiteral("电脑现在很流畅，用起来更顺手啦！"));
    startupLabel->setText(QStringLiteral("发现有 %1 个软件您不常用，却每次开机都自己跑").arg(startupItems));
    startupBar->hide();
    drawNumbers();
    if (!isVisible())
        return;
    progress = 0;
    drawNumbers();
    animationTimer->start();
}

void ResultPage::animateNumbers()
{
    progress += 2;
    if (progress >= 100) {
        progress = 100;
        animationTimer->stop();
    }
    drawNumbers();
}

void ResultPage::drawNumbers()
{
    using ResultRules::animatedValue;
    auto set = [this](const char* name, const QString& text) {
        findChild<QLabel*>(QLatin1String(name))->setText(text);
    };
    set("healthScore", QString::number(animatedValue(score, progress)));
    set("cardValue1", QStringLiteral("%1 MB").arg(animatedValue(cleanedMB, progress)));
    set("cardValue2", QStringLiteral("%1 MB").arg(animatedValue(freedMemoryMB, progress)));
    set("cardValue3", QStringLiteral("%1 个").arg(animatedValue(junkFilesCount, progress)));
    set("cardValue4", QStringLiteral("约 %1 秒").arg(animatedValue(startupFasterSeconds, progress)));
}

void ResultPage::setReport(const ScanReportBundle& newReport)
{
    report = newReport;
    refreshFindingCards();
    refreshStorageCard();
}

void ResultPage::refreshFindingCards()
{
    const ResultRules::FindingCounts counts = ResultRules::findingCounts(report);
    const int values[] = {counts.startup, counts.junkSoftware, counts.browserHijacks, counts.popups};
    for (int i = 0; i < 4; ++i) {
        auto* card = findingCards->findChild<QPushButton*>(QLatin1String(kFindingCards[i].name));
        findingValue(card)->setText(QStringLiteral("%1 个").arg(values[i]));
        card->setVisible(values[i] >= 1);
    }
}

void ResultPage::refreshStorageCard()
{
    if (!storageCard) {
        storageCard = new QFrame(container);
        storageCard->setObjectName(QStringLiteral("storageCard"));
        storageCard->setMinimumHeight(104);
        auto* column = new QVBoxLayout(storageCard);
        column->setContentsMargins(10, 8, 10, 8);
        storageText = newLabel(storageCard, QStringLiteral("storageCardText"));
        storageText->setWordWrap(true);
        // The advice quotes the storage analysis; it is shown as it is, never as markup.
        storageText->setTextFormat(Qt::PlainText);
        storageText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        storageText->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        storageText->setStyleSheet(QStringLiteral("background:transparent;"));
        column->addWidget(storageText);
        mainLayout->insertWidget(mainLayout->indexOf(findingCards) + 1, storageCard);
        storageCard->setStyleSheet(ResultPageStyle::storageCardSheet(themeIndex));
    }
    const QString advice = ResultRules::storageAdvice(report);
    if (advice.isEmpty()) {
        storageCard->hide();
        return;
    }
    storageText->setText(advice);
    storageCard->show();
}

void ResultPage::applyTheme(int index)
{
    themeIndex = index;
    setStyleSheet(ResultPageStyle::pageSheet(index));
    if (storageCard)
        storageCard->setStyleSheet(ResultPageStyle::storageCardSheet(index));
    show();
    raise();
}

void ResultPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    startupBar->hide();
    raise();
}

void ResultPage::onStartupBtnClicked()
{
    emit disableStartupClicked();
    startupBar->hide();
}

void ResultPage::onPhase2Clicked()
{
    emit phase2Clicked();
}

void ResultPage::onCardClicked()
{
    if (QObject* card = sender())
        emit cardClicked(card->property(kGroupIndexProperty).toInt());
}
