#include "ui/feedback/FeedbackPage.h"

#include "ui/feedback/FeedbackStyle.h"
#include "ui/widgets/ButtonGlow.h"
#include "ui/widgets/NamedButton.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kCardWidth = 540;
constexpr int kCardMargin = 50;
constexpr int kTextWidth = kCardWidth - 2 * kCardMargin;

const char* const kCopyText = "📋 复制";
const char* const kCopiedText = "✓ 已复制";

QLabel* newLabel(QWidget* parent, const char* name, const char* text, int pointSize, bool bold = false)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QLabel* centredLabel(QWidget* parent, const char* name, const char* text, int pointSize, bool bold = false)
{
    QLabel* label = newLabel(parent, name, text, pointSize, bold);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

QFrame* newFrame(QWidget* parent, const char* name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setAttribute(Qt::WA_StyledBackground);
    return frame;
}

void setBigBold(QPushButton* button)
{
    button->setFixedHeight(52);
    QFont font = button->font();
    font.setPointSize(16);
    font.setBold(true);
    button->setFont(font);
}

} // namespace

FeedbackPage::FeedbackPage(int mode, const QString& cardNumber, QWidget* parent)
    : QWidget(parent)
    , pageMode(mode == kAverage ? kAverage : kHelpful)
{
    setObjectName(QStringLiteral("FeedbackPage"));
    setAttribute(Qt::WA_StyledBackground);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("feedbackScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* container = new QWidget(scroll);
    container->setObjectName(QStringLiteral("feedbackContainer"));
    auto* containerLayout = new QVBoxLayout(container);
    containerLayout->setContentsMargins(40, 40, 40, 40);
    containerLayout->setAlignment(Qt::AlignCenter);

    QFrame* card = buildCard(container);
    auto* cardLayout = static_cast<QVBoxLayout*>(card->layout());
    if (pageMode == kHelpful)
        buildHelpfulCard(card, cardLayout);
    else
        buildAverageCard(card, cardLayout, cardNumber);
    containerLayout->addWidget(card, 0, Qt::AlignCenter);
    scroll->setWidget(container);

    auto* pageLayout = new QVBoxLayout(this);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(scroll);
}

QFrame* FeedbackPage::buildCard(QWidget* parent)
{
    QFrame* card = newFrame(parent, "feedbackCard");
    card->setFixedWidth(kCardWidth);
    auto* shadow = new QGraphicsDropShadowEffect(card);
    shadow->setBlurRadius(60);
    shadow->setOffset(0, 12);
    shadow->setColor(QColor(0, 0, 0, 25));
    card->setGraphicsEffect(shadow);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(kCardMargin, kCardMargin, kCardMargin, kCardMargin);
    layout->setSpacing(20);
    return card;
}

void FeedbackPage::buildHelpfulCard(QFrame* card, QVBoxLayout* layout)
{
    layout->addWidget(centredLabel(card, "pageIcon", "✅", 72));
    layout->addWidget(centredLabel(card, "pageTitle", "感谢您的认可", 26, true));
    layout->addWidget(centredLabel(card, "pageSubTitle", "您的支持是我们持续优化的最大动力", 15));
    layout->addSpacing(12);
    layout->addWidget(centredLabel(card, "pageDesc",
                                   "本次优化的记录只保存在这台电脑上，不会上传，也不会分享给任何人。\n\n"
                                   "🔒 隐私承诺：本程序不收集、不发送任何数据，个人信息、"
                                   "文件内容和设备信息都留在您的电脑里。",
                                   12));
    layout->addSpacing(20);

    QPushButton* share = primaryButton(card, QStringLiteral("👍 点赞支持"));
    QPushButton* done = namedButton(card, "secondaryBtn", QStringLiteral("直接完成"));
    setBigBold(done);
    connect(share, &QPushButton::clicked, this, &FeedbackPage::onShareClicked);
    connect(done, &QPushButton::clicked, this, &FeedbackPage::onFinishClicked);
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(share);
    row->addWidget(done);
    layout->addLayout(row);
}

void FeedbackPage::buildAverageCard(QFrame* card, QVBoxLayout* layout, const QString& cardNumber)
{
    layout->addWidget(buildProtectCard(card, cardNumber));
    layout->addWidget(centredLabel(card, "pageDesc",
                                   "本次优化未能完全解决您的问题，我们为您赠送一张免费系统焕新护航卡。\n\n"
                                   "📝 使用方法：复制或截图保存卡号 → 联系客服激活 → "
                                   "专业工程师远程为您提供系统重装、驱动安装、故障排查等全流程服务。",
                                   12));
    layout->addSpacing(12);
    QPushButton* done = primaryButton(card, QStringLiteral("领取卡号并完成"));
    connect(done, &QPushButton::clicked, this, &FeedbackPage::onFinishClicked);
    layout->addWidget(done);
}

QFrame* FeedbackPage::buildProtectCard(QWidget* parent, const QString& cardNumber)
{
    QFrame* protect = newFrame(parent, "protectCard");
    protect->setFixedHeight(270);
    QFrame* accentBar = newFrame(protect, "cardAccentBar");
    accentBar->setFixedHeight(8);
    auto* body = new QWidget(protect);
    body->setObjectName(QStringLiteral("cardBody"));

    QFrame* badge = newFrame(body, "cardLogoBadge");
    badge->setFixedSize(60, 60);
    auto* badgeLayout = new QVBoxLayout(badge);
    badgeLayout->setContentsMargins(0, 0, 0, 0);
    badgeLayout->addWidget(centredLabel(badge, "cardLogo", "🛡️", 25));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(3);
    titles->addWidget(newLabel(body, "cardTitle", "系统焕新护航卡", 18, true));
    titles->addWidget(newLabel(body, "cardSubtitle", "专业工程师 1对1 远程服务", 10));
    auto* header = new QHBoxLayout;
    header->setSpacing(14);
    header->addWidget(badge);
    header->addLayout(titles);
    header->addStretch();
    header->addWidget(newLabel(body, "cardTag", "免费专享", 12, true), 0, Qt::AlignVCenter);

    QFrame* divider = newFrame(body, "cardDivider");
    divider->setFixedHeight(1);

    QFrame* noBox = newFrame(body, "cardNoBox");
    cardNo = newLabel(noBox, "cardNo", "", 14, true);
    QFont mono = cardNo->font();
    mono.setFamily(QStringLiteral("Consolas"));
    mono.setStyleHint(QFont::Monospace);
    cardNo->setFont(mono);
    cardNo->setText(cardNumber);
    cardNo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    copyBtn = namedButton(noBox, "copyBtn", QString::fromUtf8(kCopyText));
    copyBtn->setFixedSize(64, 28);
    connect(copyBtn, &QPushButton::clicked, this, &FeedbackPage::onCopyClicked);
    auto* numberRow = new QHBoxLayout;
    numberRow->setSpacing(12);
    numberRow->addWidget(cardNo);
    numberRow->addWidget(copyBtn);
    auto* noLayout = new QVBoxLayout(noBox);
    noLayout->setContentsMargins(20, 12, 20, 12);
    noLayout->setSpacing(4);
    noLayout->addWidget(newLabel(noBox, "cardNoPrefix", "专属卡号", 10));
    noLayout->addLayout(numberRow);

    QFrame* validBox = newFrame(body, "validBox");
    auto* validLayout = new QHBoxLayout(validBox);
    validLayout->setContentsMargins(14, 7, 14, 7);
    validLayout->addWidget(newLabel(validBox, "validLabel", "⏰ 自激活起 30 天内有效 · 限 1 次使用", 11));
    validLayout->addStretch();

    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(32, 10, 10, 26);
    bodyLayout->setSpacing(14);
    bodyLayout->addLayout(header);
    bodyLayout->addWidget(divider);
    bodyLayout->addWidget(noBox);
    bodyLayout->addWidget(validBox);

    auto* layout = new QVBoxLayout(protect);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(accentBar);
    layout->addWidget(body);
    return protect;
}

QPushButton* FeedbackPage::primaryButton(QWidget* parent, const QString& text)
{
    QPushButton* button = namedButton(parent, "primaryBtn", text);
    setBigBold(button);
    primaryGlow = new ButtonGlow(button);
    return button;
}

void FeedbackPage::applyTheme(int themeIndex)
{
    setStyleSheet(feedbackstyle::sheetFor(themeIndex));
    primaryGlow->setColour(feedbackstyle::glowFor(themeIndex));
    fitWrappedLabels();
}

void FeedbackPage::fitWrappedLabels()
{
    // The scroll area sizes the card from minimum sizes, which know nothing of word wrap: without this the
    // card squeezes its texts into each other instead of scrolling. The sizes follow the theme's fonts.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->wordWrap())
            label->setMinimumHeight(label->heightForWidth(kTextWidth));
    }
}

void FeedbackPage::onShareClicked()
{
    emit shareData();
    emit finished();
}

void FeedbackPage::onFinishClicked()
{
    emit finished();
}

void FeedbackPage::onCopyClicked()
{
    QApplication::clipboard()->setText(cardNo->text());
    copyBtn->setText(QString::fromUtf8(kCopiedText));
    QTimer::singleShot(kCopiedResetMs, copyBtn, [button = copyBtn] { button->setText(QString::fromUtf8(kCopyText)); });
}

void FeedbackPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    primaryGlow->start();
}

void FeedbackPage::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    primaryGlow->stop();
}
