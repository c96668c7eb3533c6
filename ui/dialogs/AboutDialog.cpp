#include "ui/dialogs/AboutDialog.h"

#include "ui/dialogs/MessageBox.h"
#include "ui/theme/ThemePalette.h"
#include "ui/widgets/NamedButton.h"
#include "update/VersionNumber.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct InfoText {
    const char* button;
    const char* title;
    const char* text;
};

const InfoText kInfoTexts[] = {
    {"eulaBtn", "用户协议", "用户协议内容：\n本软件永久免费，无广告无病毒，仅用于系统优化，不收集任何用户隐私数据。"},
    {"privacyBtn", "隐私政策",
     "隐私政策：\n本软件不会上传任何用户个人数据，所有操作日志仅保存在本地U盘，绝对保护您的隐私安全。"},
};

QString px(int size)
{
    return QString::number(size) + QStringLiteral("px");
}

// "font-size: Npx; " or nothing when the label keeps its own font size.
QString sizeRule(int size)
{
    return size > 0 ? QStringLiteral("font-size: %1; ").arg(px(size)) : QString();
}

QString labelRule(const char* name, const QString& colour, int size)
{
    return QStringLiteral("QLabel#%1 { color: %2; %3}\n").arg(QLatin1String(name), colour, sizeRule(size));
}

QLabel* newLabel(QWidget* parent, const char* name, int pointSize)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent, int themeIndex, const QString& appDir)
    : QDialog(parent)
    , themeIndex(themeIndex)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(420, 480);

    auto* container = new QFrame(this);
    container->setObjectName(QStringLiteral("container"));
    container->setAttribute(Qt::WA_StyledBackground);
    auto* shadow = new QGraphicsDropShadowEffect(container);
    shadow->setBlurRadius(40);
    shadow->setOffset(0, 8);
    shadow->setColor(QColor(0, 0, 0, 80));
    container->setGraphicsEffect(shadow);

    auto* containerLayout = new QVBoxLayout(container);
    containerLayout->setContentsMargins(0, 0, 0, 0);
    containerLayout->setSpacing(0);
    containerLayout->addWidget(buildTitleBar());
    containerLayout->addWidget(buildContent(appDir));

    auto* rootLayout = new QVBoxLayout(this);
    rootLayout->setObjectName(QStringLiteral("rootLayout"));
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->setSpacing(0);
    rootLayout->addWidget(container);

    setTexts();
    connect(closeBtn, &QPushButton::clicked, this, &AboutDialog::onCloseClicked);
    connect(okBtn, &QPushButton::clicked, this, &AboutDialog::onCloseClicked);
    connectInfoButtons();
    setStyleSheet(styleSheetFor(themeIndex));
}

QWidget* AboutDialog::buildTitleBar()
{
    auto* titleBar = new QWidget(this);
    titleBar->setObjectName(QStringLiteral("titleBar"));
    titleBar->setAttribute(Qt::WA_StyledBackground);
    titleBar->setFixedHeight(40);
    titleLabel = newLabel(titleBar, "titleLabel", 12);
    closeBtn = namedButton(titleBar, "closeBtn");
    closeBtn->setFixedSize(40, 28);

    auto* layout = new QHBoxLayout(titleBar);
    layout->setContentsMargins(16, 0, 8, 0);
    layout->addWidget(titleLabel);
    layout->addStretch();
    layout->addWidget(closeBtn);
    return titleBar;
}

QWidget* AboutDialog::buildContent(const QString& appDir)
{
    auto* contentWidget = new QWidget(this);
    contentWidget->setObjectName(QStringLiteral("contentWidget"));

    logoLabel = newLabel(contentWidget, "logoLabel", 48);
    logoLabel->setAlignment(Qt::AlignCenter);
    const QPixmap logo(appDir + QStringLiteral("/T512.png"));
    if (!logo.isNull())
        logoLabel->setPixmap(logo.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    nameLabel = newLabel(contentWidget, "nameLabel", 18);
    versionLabel = newLabel(contentWidget, "versionLabel", 12);
    descLabel = newLabel(contentWidget, "descLabel", font().pointSize());
    descLabel->setWordWrap(true);
    copyrightLabel = newLabel(contentWidget, "copyrightLabel", 10);
    for (QLabel* label : {nameLabel, versionLabel, descLabel, copyrightLabel})
        label->setAlignment(Qt::AlignCenter);

    eulaBtn = namedButton(contentWidget, "eulaBtn");
    privacyBtn = namedButton(contentWidget, "privacyBtn");
    for (QPushButton* button : {eulaBtn, privacyBtn})
        button->setMinimumSize(100, 36);
    auto* btnLayout = new QHBoxLayout;
    btnLayout->setObjectName(QStringLiteral("btnLayout"));
    btnLayout->addStretch();
    btnLayout->addWidget(eulaBtn);
    btnLayout->addWidget(privacyBtn);
    btnLayout->addStretch();

    okBtn = namedButton(contentWidget, "okBtn");
    okBtn->setMinimumHeight(44);

    auto* contentLayout = new QVBoxLayout(contentWidget);
    contentLayout->setObjectName(QStringLiteral("contentLayout"));
    contentLayout->setSpacing(16);
    contentLayout->setContentsMargins(30, 20, 30, 30);
    contentLayout->addWidget(logoLabel);
    contentLayout->addWidget(nameLabel);
    contentLayout->addWidget(versionLabel);
    contentLayout->addWidget(descLabel);
    contentLayout->addSpacing(4);
    contentLayout->addLayout(btnLayout);
    contentLayout->addSpacing(4);
    contentLayout->addWidget(okBtn);
    contentLayout->addWidget(copyrightLabel);
    return contentWidget;
}

void AboutDialog::setTexts()
{
    setWindowTitle(QStringLiteral("关于 Tidewell"));
    titleLabel->setText(QStringLiteral("关于 Tidewell"));
    closeBtn->setText(QStringLiteral("✕"));
    nameLabel->setText(QStringLiteral("Tidewell"));
    versionLabel->setText(QStringLiteral("版本 ") + QLatin1String(version::kShown));
    descLabel->setText(QStringLiteral("专为电脑小白、中老年群体打造的零安装、纯便携、无捆绑、高安全的系统优化工具。"));
    eulaBtn->setText(QStringLiteral("用户协议"));
    privacyBtn->setText(QStringLiteral("隐私政策"));
    okBtn->setText(QStringLiteral("确定"));
    copyrightLabel->setText(QStringLiteral("© 2026 Tidewell 工作室 保留所有权利"));
}

void AboutDialog::connectInfoButtons()
{
    for (const InfoText& info : kInfoTexts) {
        auto* button = findChild<QPushButton*>(QLatin1String(info.button));
        connect(button, &QPushButton::clicked, this, [this, info] {
            MessageBox::information(nullptr, themeIndex, QString::fromUtf8(info.title), QString::fromUtf8(info.text));
        });
    }
}

void AboutDialog::setTheme(int index)
{
    themeIndex = index;
    const QString sheet = styleSheetFor(index);
    if (!sheet.isEmpty())
        setStyleSheet(sheet);
}

void AboutDialog::onCloseClicked()
{
    accept();
}

QString AboutDialog::styleSheetFor(int index)
{
    const theme::ThemePalette* palette = theme::palette(index);
    if (!palette)
        return {};
    const theme::AboutLook& a = palette->about;
    return QStringLiteral("QFrame#container { background-color: %1; border-radius: 12px; }\n").arg(a.frame)
        + QStringLiteral("QWidget#titleBar { background-color: %1; border-top-left-radius: 12px; "
                         "border-top-right-radius: 12px; border-bottom: %2 solid %3; }\n")
              .arg(a.titleBar, px(a.titleBarBorderPx), a.titleBarBorder)
        + QStringLiteral("QLabel#titleLabel { color: %1; font-size: 14px; font-weight: bold; }\n").arg(a.title)
        + QStringLiteral("QPushButton#closeBtn { background: transparent; border: none; color: %1; font-size: %2; "
                         "font-weight: bold; border-radius: %3; }\n")
              .arg(a.close, px(a.closePx), px(a.closeRadius))
        + QStringLiteral("QPushButton#closeBtn:hover { background-color: #E53935; color: white; }\n")
        + labelRule("logoLabel", a.logo, a.logoPx) + labelRule("nameLabel", a.name, a.namePx)
        + labelRule("versionLabel", a.version, a.versionPx) + labelRule("descLabel", a.description, a.descriptionPx)
        + labelRule("copyrightLabel", a.copyright, a.copyrightPx)
        + QStringLiteral("QPushButton#okBtn { background: %1; color: white; border: none; border-radius: 22px; "
                         "font-size: %2; font-weight: bold; }\n")
              .arg(a.ok, px(a.okPx))
        + QStringLiteral("QPushButton#okBtn:hover { background: %1; }\n").arg(a.okHover)
        + QStringLiteral("QPushButton#eulaBtn, QPushButton#privacyBtn { background-color: %1; color: %2; border: %3; "
                         "border-radius: 18px; font-size: %4; }\n")
              .arg(a.link, a.linkText, a.linkBorder, px(a.linkPx))
        + QStringLiteral("QPushButton#eulaBtn:hover, QPushButton#privacyBtn:hover { "
                         "background-color: %1; color: %2; }\n")
              .arg(a.linkHover, a.linkHoverText);
}
