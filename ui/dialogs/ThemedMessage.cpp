#include "ui/dialogs/ThemedMessage.h"

#include "ui/theme/ThemePalette.h"
#include "ui/widgets/NamedButton.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVariant>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 440;

struct Badge {
    const char* glyph;
    const char* colour; // null: the theme's accent
};

// Indexed by ThemedMessage::Kind.
const Badge kBadges[] = {{"i", nullptr}, {"?", nullptr}, {"!", "#F59E0B"}, {"×", "#E53935"}};

QString badgeRules(const theme::ThemePalette& p)
{
    QString rules;
    for (int kind = 0; kind < int(std::size(kBadges)); ++kind) {
        const QString colour = kBadges[kind].colour ? QLatin1String(kBadges[kind].colour) : p.base.accent;
        rules += QStringLiteral("QLabel#messageIcon[kind=\"%1\"] { background-color: %2; }\n").arg(kind).arg(colour);
    }
    return rules;
}

QString frameRules(const theme::ThemePalette& p)
{
    const theme::AboutLook& a = p.about;
    const int textPx = p.progress.descPx;
    return QStringLiteral("QFrame#messageFrame { background-color: %1; border: %2px solid %3; border-radius: 12px; }\n")
               .arg(a.frame)
               .arg(a.titleBarBorderPx)
               .arg(a.titleBarBorder) +
           QStringLiteral("QWidget#messageTitleBar { background-color: %1; border-top-left-radius: 12px; "
                          "border-top-right-radius: 12px; border-bottom: %2px solid %3; }\n")
               .arg(a.titleBar)
               .arg(a.titleBarBorderPx)
               .arg(a.titleBarBorder) +
           QStringLiteral("QLabel#messageTitle { color: %1; font-size: %2px; font-weight: bold; }\n")
               .arg(a.title)
               .arg(textPx) +
           QStringLiteral("QPushButton#messageCloseBtn { background: transparent; border: none; color: %1; "
                          "font-size: %2px; font-weight: bold; border-radius: %3px; }\n")
               .arg(a.close)
               .arg(a.closePx)
               .arg(a.closeRadius) +
           QStringLiteral("QPushButton#messageCloseBtn:hover { background-color: #E53935; color: white; }\n") +
           QStringLiteral("QLabel#messageIcon { color: white; border-radius: 18px; font-size: 20px; "
                          "font-weight: bold; }\n") +
           badgeRules(p) +
           QStringLiteral("QLabel#messageText { color: %1; font-size: %2px; }\n").arg(p.base.primaryText).arg(textPx);
}

QString fieldRules(const theme::ThemePalette& p)
{
    const theme::AboutLook& a = p.about;
    const int textPx = p.progress.descPx;
    return QStringLiteral("QPushButton#inputLess, QPushButton#inputMore, QPushButton#inputChoice { "
                          "background-color: %1; color: %2; border: %3; border-radius: 18px; font-size: %4px; "
                          "padding: 0 10px; }\n")
               .arg(a.link, a.linkText, a.linkBorder)
               .arg(textPx) +
           QStringLiteral("QPushButton#inputLess, QPushButton#inputMore { min-width: 44px; font-size: %1px; "
                          "font-weight: bold; padding: 0; }\n")
               .arg(textPx + 6) +
           QStringLiteral("QPushButton#inputLess:hover, QPushButton#inputMore:hover, QPushButton#inputChoice:hover { "
                          "background-color: %1; color: %2; }\n")
               .arg(a.linkHover, a.linkHoverText) +
           QStringLiteral("QPushButton#inputLess:disabled, QPushButton#inputMore:disabled { color: %1; }\n")
               .arg(p.base.mutedText) +
           QStringLiteral("QPushButton#inputChoice:checked { background: %1; color: white; border: none; "
                          "font-weight: bold; }\n")
               .arg(a.ok) +
           QStringLiteral("QLabel#inputNumber { color: %1; font-size: %2px; font-weight: bold; }\n")
               .arg(p.base.primaryText)
               .arg(textPx + 8);
}

QString answerRules(const theme::ThemePalette& p)
{
    const theme::AboutLook& a = p.about;
    return QStringLiteral("QPushButton#acceptBtn { background: %1; color: white; border: none; border-radius: 18px; "
                          "font-size: %2px; font-weight: bold; padding: 0 22px; }\n")
               .arg(a.ok)
               .arg(a.okPx) +
           QStringLiteral("QPushButton#acceptBtn:hover { background: %1; }\n").arg(a.okHover) +
           QStringLiteral("QPushButton#rejectBtn { background-color: %1; color: %2; border: %3; border-radius: 18px; "
                          "font-size: %4px; padding: 0 22px; }\n")
               .arg(a.link, a.linkText, a.linkBorder)
               .arg(a.okPx) +
           QStringLiteral("QPushButton#rejectBtn:hover { background-color: %1; color: %2; }\n")
               .arg(a.linkHover, a.linkHoverText);
}

} // namespace

ThemedMessage::ThemedMessage(QWidget* parent, int themeIndex, Kind kind, const QString& title, const QString& text)
    : QDialog(parent)
    , messageKind(kind)
{
    setObjectName(QStringLiteral("themedMessage"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    setWindowTitle(title);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("messageFrame"));
    frame->setFixedWidth(kWidth);
    frame->setAttribute(Qt::WA_StyledBackground);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(buildTitleBar(title));
    frameLayout->addWidget(buildBody(text));
    frameLayout->addWidget(buildButtonRow());

    auto* rootLayout = new QVBoxLayout(this);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->setSizeConstraint(QLayout::SetFixedSize);
    rootLayout->addWidget(frame);
    setButtons(QStringLiteral("确定"));
    setStyleSheet(styleSheetFor(themeIndex));
}

QWidget* ThemedMessage::buildTitleBar(const QString& title)
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("messageTitleBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(40);
    auto* titleLabel = new QLabel(title, bar);
    titleLabel->setObjectName(QStringLiteral("messageTitle"));
    titleLabel->setTextFormat(Qt::PlainText);
    QPushButton* close = namedButton(bar, "messageCloseBtn", QStringLiteral("✕"));
    close->setFixedSize(40, 28);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(16, 0, 8, 0);
    layout->addWidget(titleLabel);
    layout->addStretch();
    layout->addWidget(close);
    return bar;
}

QWidget* ThemedMessage::buildBody(const QString& text)
{
    auto* body = new QWidget(this);
    auto* icon = new QLabel(QString::fromUtf8(kBadges[messageKind].glyph), body);
    icon->setObjectName(QStringLiteral("messageIcon"));
    icon->setProperty("kind", int(messageKind));
    icon->setAlignment(Qt::AlignCenter);
    icon->setFixedSize(36, 36);
    textLabel = new QLabel(text, body);
    textLabel->setObjectName(QStringLiteral("messageText"));
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setWordWrap(true);
    textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    textColumn = new QVBoxLayout;
    textColumn->setSpacing(12);
    textColumn->addWidget(textLabel);
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(24, 20, 24, 8);
    layout->setSpacing(16);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addLayout(textColumn, 1);
    return body;
}

QWidget* ThemedMessage::buildButtonRow()
{
    auto* row = new QWidget(this);
    acceptBtn = dialogButton(row, "acceptBtn", QString());
    rejectBtn = dialogButton(row, "rejectBtn", QString());
    connect(acceptBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(rejectBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(24, 12, 24, 20);
    layout->setSpacing(12);
    layout->addStretch();
    layout->addWidget(rejectBtn);
    layout->addWidget(acceptBtn);
    return row;
}

void ThemedMessage::setButtons(const QString& acceptText, const QString& rejectText)
{
    acceptBtn->setText(acceptText);
    rejectBtn->setText(rejectText);
    rejectBtn->setVisible(!rejectText.isEmpty());
    QPushButton* safe = rejectText.isEmpty() ? acceptBtn : rejectBtn;
    acceptBtn->setDefault(safe == acceptBtn);
    rejectBtn->setDefault(safe == rejectBtn);
}

QString ThemedMessage::text() const
{
    return textLabel->text();
}

void ThemedMessage::addField(QWidget* field)
{
    textColumn->addWidget(field);
}

QString ThemedMessage::styleSheetFor(int themeIndex)
{
    const theme::ThemePalette* palette = theme::palette(themeIndex);
    if (!palette)
        palette = theme::palette(theme::kDefault);
    return frameRules(*palette) + fieldRules(*palette) + answerRules(*palette);
}
