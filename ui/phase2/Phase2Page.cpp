#include "ui/phase2/Phase2Page.h"

#include "phase2/OptCatalogue.h"
#include "ui/phase2/GroupCard.h"
#include "ui/phase2/Phase2Style.h"
#include "ui/theme/ThemePalette.h"
#include "ui/widgets/ThinScrollBar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QLabel* newLabel(const char* name, const char* text, const char* style, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QLatin1String(style));
    return label;
}

QPushButton* newButton(const char* name, const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    button->setFlat(false);
    button->setFixedHeight(36);
    return button;
}

} // namespace

Phase2Page::Phase2Page(QWidget* parent)
    : QWidget(parent)
    , groups_(OptCatalogue::build())
    , themeIndex(theme::kDefault)
{
    setObjectName(QStringLiteral("Phase2Page"));
    setAttribute(Qt::WA_StyledBackground);
    buildWidgets();
}

void Phase2Page::buildWidgets()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 0);
    layout->setSpacing(8);
    title = newLabel("p2Title", "深度清理和详细分析", "font-size:22px; font-weight:bold;", this);
    subtitle = newLabel("p2Subtitle",
                        "以下列出了所有检测到了可优化项，请根据您的需要勾选，然后点击《执行选中项》进行优化。",
                        "font-size:13px; padding-bottom:4px;", this);
    subtitle->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(subtitle);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(newLabel("p2SearchIcon", "🔍", "font-size:14px; background:transparent;", this));
    search = new QLineEdit(this);
    search->setObjectName(QStringLiteral("p2Search"));
    search->setPlaceholderText(QStringLiteral("搜索优化项名称或描述..."));
    search->setClearButtonEnabled(true);
    search->setMinimumHeight(34);
    searchRow->addWidget(search, 1);
    layout->addLayout(searchRow);
    connect(search, &QLineEdit::textChanged, this, &Phase2Page::filterCards);

    scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("p2ScrollArea"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->verticalScrollBar()->setStyleSheet(thinScrollBarSheet());
    auto* inner = new QWidget(scroll);
    inner->setObjectName(QStringLiteral("p2ScrollInner"));
    cardLayout = new QVBoxLayout(inner);
    cardLayout->setContentsMargins(0, 4, 0, 4);
    cardLayout->setSpacing(10);
    for (const OptGroup& group : groups_) {
        cards.append(newCard(group));
        cardLayout->addWidget(cards.last());
    }
    cardLayout->addStretch();
    scroll->setWidget(inner);
    layout->addWidget(scroll, 1);
    layout->addWidget(buildToolbar());
}

QWidget* Phase2Page::buildToolbar()
{
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("p2Toolbar"));
    bar->setMinimumHeight(56);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(10);
    selectSafeBtn = newButton("p2SelectSafe", "全选安全项", bar);
    restoreBtn = newButton("p2Restore", "恢复默认", bar);
    remoteBtn = newButton("p2RemoteHelp", "🆘 远程协助", bar);
    remoteBtn->setMinimumWidth(110);
    countLabel = newLabel("p2Count", "已选 0 项", "font-size:13px; font-weight:bold;", bar);
    executeBtn = newButton("p2Execute", "执行选中项", bar);
    skipBtn = newButton("p2Skip", "跳过，完成优化", bar);
    executeBtn->setMinimumWidth(120);
    skipBtn->setMinimumWidth(120);
    row->addWidget(selectSafeBtn);
    row->addWidget(restoreBtn);
    row->addWidget(remoteBtn);
    row->addStretch();
    row->addWidget(countLabel);
    row->addWidget(executeBtn);
    row->addWidget(skipBtn);

    connect(selectSafeBtn, &QPushButton::clicked, this, [this] {
        for (GroupCard* card : cards)
            card->selectSafeItems();
        updateCount();
    });
    connect(restoreBtn, &QPushButton::clicked, this, [this] {
        for (GroupCard* card : cards)
            card->uncheckAll();
        updateCount();
    });
    connect(executeBtn, &QPushButton::clicked, this, [this] { emit executeClicked(selectedItems()); });
    connect(skipBtn, &QPushButton::clicked, this, &Phase2Page::skipClicked);
    connect(remoteBtn, &QPushButton::clicked, this, &Phase2Page::remoteHelpClicked);
    updateCount();
    return bar;
}

GroupCard* Phase2Page::newCard(const OptGroup& group)
{
    auto* card = new GroupCard(group, cardLayout->parentWidget());
    connect(card, &GroupCard::selectionChanged, this, &Phase2Page::updateCount);
    connect(card, &GroupCard::specialConfirmRequested, this, &Phase2Page::specialConfirmRequested);
    card->applyTheme(themeIndex);
    return card;
}

void Phase2Page::applyReport(const ScanReportBundle& report)
{
    report_ = report;
    reportApplied = true;
    OptCatalogue::applyReport(groups_, report);
    for (int index : {OptCatalogue::kStartupGroup, OptCatalogue::kJunkGroup, OptCatalogue::kConflictGroup})
        replaceCard(index);
    filterCards(search->text());
    applyTheme(themeIndex);
}

void Phase2Page::replaceCard(int groupIndex)
{
    GroupCard* old = cards.at(groupIndex);
    const int position = cardLayout->indexOf(old);
    cardLayout->removeWidget(old);
    old->hide();
    old->deleteLater();
    GroupCard* card = newCard(groups_.at(groupIndex));
    if (position >= 0)
        cardLayout->insertWidget(position, card);
    else
        cardLayout->addWidget(card);
    cards[groupIndex] = card;
    updateCount();
}

QVector<OptItem> Phase2Page::selectedItems() const
{
    QVector<OptItem> items;
    QSet<QString> taken;
    for (GroupCard* card : cards) {
        const QSet<QString> checked = card->checkedIds();
        for (const OptItem& item : card->group().items) {
            if (item.infoOnly || !checked.contains(item.id) || taken.contains(item.id))
                continue;
            taken.insert(item.id);
            items.append(item);
        }
    }
    return items;
}

void Phase2Page::setItemChecked(const QString& id, bool checked)
{
    for (GroupCard* card : cards) {
        if (card->setItemChecked(id, checked))
            return;
    }
}

bool Phase2Page::isItemChecked(const QString& id) const
{
    for (GroupCard* card : cards) {
        if (card->checkedIds().contains(id))
            return true;
    }
    return false;
}

void Phase2Page::updateCount()
{
    int count = 0;
    for (GroupCard* card : cards)
        count += card->checkedIds().size();
    countLabel->setText(QStringLiteral("已选 %1 项").arg(count));
    executeBtn->setText(QStringLiteral("执行选中项(%1)").arg(count));
}

void Phase2Page::filterCards(const QString& text)
{
    for (GroupCard* card : cards)
        card->filter(text.trimmed());
}

void Phase2Page::scrollToGroup(int groupIndex)
{
    if (groupIndex < 0 || groupIndex >= cards.size())
        return;
    // The card's header goes to the top of the view, 20 pixels down: a card taller than the view would
    // otherwise be centred, with its header out of sight.
    constexpr int kHeaderMargin = 20;
    scroll->widget()->layout()->activate();
    scroll->verticalScrollBar()->setValue(cards.at(groupIndex)->y() - kHeaderMargin);
}

void Phase2Page::applyTheme(int index)
{
    themeIndex = index;
    for (GroupCard* card : cards)
        card->applyTheme(index);
    const Phase2Style::PageSheets sheets = Phase2Style::pageSheets(index);
    setStyleSheet(sheets.page);
    title->setStyleSheet(sheets.title);
    subtitle->setStyleSheet(sheets.subtitle);
    search->setStyleSheet(sheets.search);
    selectSafeBtn->setStyleSheet(sheets.selectSafe);
    restoreBtn->setStyleSheet(sheets.restore);
    remoteBtn->setStyleSheet(sheets.remoteHelp);
    countLabel->setStyleSheet(sheets.count);
    executeBtn->setStyleSheet(sheets.execute);
    skipBtn->setStyleSheet(sheets.skip);
    raise();
}
