#include "ui/dialogs/UpdatePromptDialog.h"

#include "ui/theme/ThemePalette.h"
#include "ui/widgets/NamedButton.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

struct PromptLook {
    const char* container;
    const char* titleBar;
    const char* titleBarBorder;
    const char* title;
    const char* close;
    const char* icon;
    const char* heading;
    int headingPx;
    const char* note;
    int notePx;
    const char* update;
    const char* updateHover;
    int updatePx;
    const char* later;
    const char* laterText;
    const char* laterBorder;
    int laterPx;
    const char* laterHover;
    const char* laterHoverText;
    const char* laterHoverBorder;
};

// clang-format off
const PromptLook kLooks[theme::kCount] = {
    {"#151A2D", "#0F1219", "1px solid #1E2230", "#E8ECF2", "#B0B8C4", "#00C2FF", "#E8ECF2", 20, "#8B94A6", 13,
     "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #00C2FF, stop:1 #5271FF)",
     "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #009FD4, stop:1 #3F5BE0)", 14,
     "rgba(255,255,255,0.06)", "#B0B8C4", "rgba(255,255,255,0.15)", 13,
     "rgba(0,194,255,0.12)", "#00C2FF", "#00C2FF"},
    {"#FFF8F0", "#FFE8D6", "2px solid #FFD4B8", "#4A3B32", "#5D4037", "#FF7A45", "#2D1A08", 22, "#5C3D22", 15,
     "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #FF7A45, stop:1 #FF9A6B)",
     "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #E8632A, stop:1 #FF7A45)", 16,
     "#FFFFFF", "#5D4037", "#FFD0B0", 15, "#FFE8D5", "#FF7A45", "#FFB38F"},
    {"#FFFFFF", "#F8F9FA", "1px solid #E8EAED", "#202124", "#5F6368", "#1A73E8", "#202124", 20, "#5F6368", 13,
     "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1A73E8, stop:1 #4285F4)",
     "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1557B0, stop:1 #3367D6)", 14,
     "#FFFFFF", "#3C4043", "#DADCE0", 13, "#F1F3F4", "#1A73E8", "#C2D7F2"},
};
// clang-format on

QLabel* newLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString latin(const char* text)
{
    return QLatin1String(text);
}

} // namespace

UpdatePromptDialog::UpdatePromptDialog(QWidget* parent, int themeIndex, const QString& version,
                                       const QString& releaseNote, bool forced)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    setFixedSize(440, 400);
    setWindowTitle(forced ? QStringLiteral("需要更新") : QStringLiteral("发现新版本"));
    // Set before the widgets exist: the note's label is polished when the scroll area adopts it, and under a
    // parent window that has a sheet of its own a later sheet here would not reach it.
    setStyleSheet(styleSheetFor(themeIndex));

    container = new QFrame(this);
    container->setObjectName(QStringLiteral("container"));
    container->setAttribute(Qt::WA_StyledBackground);
    auto* shadow = new QGraphicsDropShadowEffect(container);
    shadow->setBlurRadius(36);
    shadow->setOffset(0, 8);
    shadow->setColor(QColor(0, 0, 0, 90));
    container->setGraphicsEffect(shadow);

    auto* containerLayout = new QVBoxLayout(container);
    containerLayout->setContentsMargins(0, 0, 0, 0);
    containerLayout->setSpacing(0);
    containerLayout->addWidget(buildTitleBar(forced));
    containerLayout->addWidget(buildContent(version, releaseNote, forced), 1);

    auto* rootLayout = new QVBoxLayout(this);
    rootLayout->setContentsMargins(12, 12, 12, 12);
    rootLayout->addWidget(container);

    connect(closeBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(updateBtn, &QPushButton::clicked, this, &QDialog::accept);
    if (laterBtn)
        connect(laterBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* UpdatePromptDialog::buildTitleBar(bool forced)
{
    titleBar = new QWidget(container);
    titleBar->setObjectName(QStringLiteral("titleBar"));
    titleBar->setAttribute(Qt::WA_StyledBackground);
    titleIcon = newLabel(titleBar, "titleIcon");
    titleIcon->setText(forced ? QStringLiteral("🛡️ 需要更新") : QStringLiteral("🛡️ 发现新版本"));
    closeBtn = namedButton(titleBar, "closeBtn", "✕");
    closeBtn->setFixedSize(24, 24);

    auto* layout = new QHBoxLayout(titleBar);
    layout->setContentsMargins(16, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(titleIcon);
    layout->addStretch();
    layout->addWidget(closeBtn);
    return titleBar;
}

QWidget* UpdatePromptDialog::buildContent(const QString& version, const QString& releaseNote, bool forced)
{
    contentWidget = new QWidget(container);
    contentWidget->setObjectName(QStringLiteral("contentWidget"));
    iconLabel = newLabel(contentWidget, "iconLabel");
    iconLabel->setText(QStringLiteral("🚀"));
    iconLabel->setAlignment(Qt::AlignCenter);
    headingLabel = newLabel(contentWidget, "headingLabel");
    headingLabel->setText(QStringLiteral("发现新版本 v%1").arg(version));
    headingLabel->setAlignment(Qt::AlignCenter);
    headingLabel->setWordWrap(true);

    // A note of a few thousand characters must not push the buttons out of the fixed-size card, so it
    // scrolls inside the space the buttons leave.
    auto* noteScroll = new QScrollArea(contentWidget);
    noteScroll->setObjectName(QStringLiteral("noteScroll"));
    noteScroll->setFrameShape(QFrame::NoFrame);
    noteScroll->setWidgetResizable(true);
    noteScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    noteLabel = newLabel(noteScroll, "noteLabel");
    noteLabel->setText(releaseNote.isEmpty() ? QStringLiteral("(本次更新无更新说明)") : releaseNote);
    noteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    noteLabel->setWordWrap(true);
    noteScroll->setWidget(noteLabel);
    // The scroll area paints its page in the window colour; the note belongs on the card's.
    noteScroll->viewport()->setAutoFillBackground(false);
    noteLabel->setAutoFillBackground(false);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(12);
    if (!forced) {
        laterBtn = namedButton(contentWidget, "laterBtn", "暂不更新");
        laterBtn->setFixedHeight(42);
        buttonRow->addWidget(laterBtn);
    }
    updateBtn = namedButton(contentWidget, "updateBtn", "立即更新");
    updateBtn->setFixedHeight(42);
    buttonRow->addWidget(updateBtn);

    auto* layout = new QVBoxLayout(contentWidget);
    layout->setContentsMargins(28, 18, 28, 22);
    layout->setSpacing(10);
    layout->addWidget(iconLabel);
    layout->addWidget(headingLabel);
    layout->addWidget(noteScroll, 1);
    layout->addLayout(buttonRow);
    return contentWidget;
}

QString UpdatePromptDialog::styleSheetFor(int themeIndex)
{
    const PromptLook& l = kLooks[theme::palette(themeIndex) ? themeIndex : theme::kDefault];
    return QStringLiteral("QFrame#container { background-color: %1; border-radius: 16px; }\n").arg(latin(l.container)) +
           QStringLiteral("QWidget#titleBar { background-color: %1; border-bottom: %2; border-top-left-radius: 16px; "
                          "border-top-right-radius: 16px; }\n")
               .arg(latin(l.titleBar), latin(l.titleBarBorder)) +
           QStringLiteral("QWidget#contentWidget, QScrollArea#noteScroll { background: transparent; }\n") +
           QStringLiteral("QLabel#titleIcon { color: %1; font-size: 16px; }\n").arg(latin(l.title)) +
           QStringLiteral("QLabel#titleLabel { color: %1; font-size: 14px; font-weight: bold; }\n")
               .arg(latin(l.title)) +
           QStringLiteral("QPushButton#closeBtn { background: transparent; border: none; color: %1; font-size: 16px; "
                          "font-weight: bold; border-radius: 6px; }\n"
                          "QPushButton#closeBtn:hover { background-color: #E53935; color: white; }\n")
               .arg(latin(l.close)) +
           QStringLiteral("QLabel#iconLabel { color: %1; font-size: 52px; }\n").arg(latin(l.icon)) +
           QStringLiteral("QLabel#headingLabel { color: %1; font-size: %2px; font-weight: bold; }\n")
               .arg(latin(l.heading))
               .arg(l.headingPx) +
           QStringLiteral("QLabel#noteLabel { color: %1; font-size: %2px; }\n").arg(latin(l.note)).arg(l.notePx) +
           QStringLiteral("QPushButton#updateBtn { background: %1; color: white; border: none; border-radius: 21px; "
                          "font-size: %2px; font-weight: bold; }\n"
                          "QPushButton#updateBtn:hover { background: %3; }\n")
               .arg(latin(l.update))
               .arg(l.updatePx)
               .arg(latin(l.updateHover)) +
           QStringLiteral(
               "QPushButton#laterBtn { background: %1; color: %2; border: 1px solid %3; border-radius: 21px; "
               "font-size: %4px; }\n"
               "QPushButton#laterBtn:hover { background: %5; color: %6; border-color: %7; }\n")
               .arg(latin(l.later), latin(l.laterText), latin(l.laterBorder))
               .arg(l.laterPx)
               .arg(latin(l.laterHover), latin(l.laterHoverText), latin(l.laterHoverBorder));
}
