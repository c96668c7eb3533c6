#include "ui/main/WindowChrome.h"

#include "ui/main/ToolFolder.h"
#include "ui/theme/MainWindowStyle.h"
#include "ui/widgets/NamedButton.h"
#include "update/VersionNumber.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

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
    {"footerVersion", version::kShown},
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

QPixmap scaledImage(const QString& resource, int side)
{
    return QPixmap(resource).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

WindowChrome::WindowChrome(QWidget* window)
    : window(window)
{
    titleBar_ = buildTitleBar();
    content_ = buildContent();
    QWidget* footerBar = buildFooter();
    auto* rootLayout = new QVBoxLayout(window);
    rootLayout->setObjectName(QStringLiteral("rootLayout"));
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->setSpacing(0);
    rootLayout->addWidget(titleBar_);
    rootLayout->addWidget(content_);
    rootLayout->addWidget(footerBar);
    setTexts();
}

QPushButton* WindowChrome::button(const char* name) const
{
    return window->findChild<QPushButton*>(QLatin1String(name));
}

QPushButton* WindowChrome::themeButton(int index) const
{
    return button(kModeButtons[index]);
}

QString WindowChrome::versionText() const
{
    return window->findChild<QLabel*>(QStringLiteral("footerVersion"))->text();
}

QWidget* WindowChrome::buildTitleBar()
{
    auto* bar = new QWidget(window);
    bar->setObjectName(QStringLiteral("titleBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(44);
    QLabel* safetyLabel = newLabel(bar, "safetyLabel");
    QPushButton* minBtn = namedButton(bar, "minBtn");
    QPushButton* closeBtn = namedButton(bar, "closeBtn");
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

QWidget* WindowChrome::buildContent()
{
    auto* content = new QWidget(window);
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
    startBtn = namedButton(content, "startBtn");
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

QWidget* WindowChrome::buildModeBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("modeBar"));
    auto* modeLayout = new QHBoxLayout(bar);
    modeLayout->setObjectName(QStringLiteral("modeLayout"));
    modeLayout->setContentsMargins(0, 0, 0, 0);
    modeLayout->setSpacing(8);
    modeLayout->addStretch();
    for (const char* name : kModeButtons) {
        QPushButton* button = namedButton(bar, name);
        button->setCheckable(true);
        button->setMinimumSize(110, kModeButtonMinHeight);
        modeLayout->addWidget(button);
    }
    modeLayout->addStretch();
    bar->findChild<QPushButton*>(QLatin1String(kModeButtons[theme::kDefault]))->setChecked(true);
    return bar;
}

QWidget* WindowChrome::buildToolBar(QWidget* parent)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("toolBar"));
    auto* toolLayout = new QHBoxLayout(bar);
    toolLayout->setObjectName(QStringLiteral("toolLayout"));
    toolLayout->setContentsMargins(0, 24, 0, 10);
    toolLayout->setSpacing(16);
    toolLayout->addStretch();
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = namedButton(bar, kToolFolders[i].button);
        button->setMinimumWidth(kToolButtonMinWidths[i]);
        button->setFixedHeight(40);
        toolLayout->addWidget(button);
    }
    toolLayout->addStretch();
    return bar;
}

QWidget* WindowChrome::buildFooter()
{
    auto* bar = new QWidget(window);
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
        QPushButton* button = namedButton(bar, size.name);
        button->setMinimumSize(size.minWidth, size.minHeight);
        footerLayout->addWidget(button);
    }
    return bar;
}

void WindowChrome::setTexts()
{
    window->setWindowTitle(QStringLiteral("Tidewell"));
    window->setWindowIcon(QIcon(QStringLiteral(":/ICON/T512.ico")));
    // Runs before the pages exist, so every name below is one of the window's own widgets.
    for (const WidgetText& entry : kTexts) {
        const QString name = QLatin1String(entry.name);
        const QString text = QString::fromUtf8(entry.text);
        if (auto* label = window->findChild<QLabel*>(name))
            label->setText(text);
        else if (auto* pushButton = window->findChild<QPushButton*>(name))
            pushButton->setText(text);
    }
}

void WindowChrome::applyTheme(int themeIndex)
{
    const theme::ThemePalette& palette = *theme::palette(themeIndex);
    const theme::MainWindowSheets sheets = theme::mainWindowSheets(palette);
    window->setStyleSheet(sheets.window);
    startBtn->setStyleSheet(sheets.start);
    // Qt draws square corners when a radius exceeds half the button's height, so the pill-shaped theme
    // buttons grow to twice their radius where 36 pixels are too few.
    const int modeHeight = std::max(kModeButtonMinHeight, 2 * palette.buttons.modeRadius);
    for (int index = 0; index < theme::kCount; ++index) {
        QPushButton* modeButton = themeButton(index);
        modeButton->setStyleSheet(index == themeIndex ? sheets.modeActive : sheets.modeIdle);
        modeButton->setMinimumHeight(modeHeight);
    }
    for (const ToolFolder& folder : kToolFolders)
        button(folder.button)->setStyleSheet(sheets.tool);
    for (const char* name : kSmallButtons)
        button(name)->setStyleSheet(sheets.small);
    button("closeBtn")->setStyleSheet(sheets.close);
}

void WindowChrome::applyStartButtonSize(int themeIndex)
{
    startBtn->setFixedSize(280, themeIndex == theme::kWarm ? 56 : 52);
}
