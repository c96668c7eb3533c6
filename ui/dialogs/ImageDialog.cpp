#include "ui/dialogs/ImageDialog.h"

#include "ui/theme/ThemePalette.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ImageLook {
    const char* content;
    const char* close;
    const char* closeText;
};

const ImageLook kLooks[theme::kCount] = {
    {"#1E2230", "rgba(255,255,255,0.1)", "#B0B8C4"},
    {"#FFF8F0", "rgba(0,0,0,0.05)", "#5D4037"},
    {"#FFFFFF", "rgba(0,0,0,0.04)", "#5F6368"},
};

} // namespace

ImageDialog::ImageDialog(QWidget* parent, int themeIndex)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    setFixedSize(400, 550);
    setWindowTitle(QStringLiteral("Tidewell"));

    contentWidget = new QWidget(this);
    contentWidget->setObjectName(QStringLiteral("contentWidget"));
    contentWidget->setAttribute(Qt::WA_StyledBackground);
    contentWidget->setGeometry(25, 25, 350, 500);
    auto* shadow = new QGraphicsDropShadowEffect(contentWidget);
    shadow->setBlurRadius(30);
    shadow->setOffset(0, 6);
    shadow->setColor(QColor(0, 0, 0, 80));
    contentWidget->setGraphicsEffect(shadow);

    imageCloseBtn = new QPushButton(QStringLiteral("×"), contentWidget);
    imageCloseBtn->setObjectName(QStringLiteral("imageCloseBtn"));
    imageCloseBtn->setFixedSize(28, 28);
    imageCloseBtn->setCursor(Qt::PointingHandCursor);
    connect(imageCloseBtn, &QPushButton::clicked, this, &QDialog::reject);

    imageLabel = new QLabel(contentWidget);
    imageLabel->setObjectName(QStringLiteral("imageLabel"));
    imageLabel->setFixedSize(kImageWidth, kImageHeight);
    imageLabel->setAlignment(Qt::AlignCenter);
    imageLabel->setScaledContents(true);

    auto* topRow = new QHBoxLayout;
    topRow->setContentsMargins(0, 0, 8, 0);
    topRow->addStretch();
    topRow->addWidget(imageCloseBtn);
    auto* layout = new QVBoxLayout(contentWidget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(topRow);
    layout->addWidget(imageLabel, 0, Qt::AlignCenter);
    setTheme(themeIndex);
}

bool ImageDialog::setImage(const QString& path)
{
    const QPixmap image(path);
    if (image.isNull())
        return false;
    imageLabel->setPixmap(image.scaled(kImageWidth, kImageHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    shownPath = path;
    return true;
}

void ImageDialog::setTheme(int themeIndex)
{
    setStyleSheet(styleSheetFor(themeIndex));
}

void ImageDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    // The pointer was on the close button when it closed the dialog, and a hidden window gets no leave
    // event: without this the button would come back red on the next showing.
    imageCloseBtn->setAttribute(Qt::WA_UnderMouse, false);
}

QString ImageDialog::styleSheetFor(int themeIndex)
{
    const ImageLook& look = kLooks[theme::palette(themeIndex) ? themeIndex : theme::kDefault];
    return QStringLiteral("QWidget#contentWidget { background-color: %1; border-radius: 12px; }\n"
                          "QPushButton#imageCloseBtn { background-color: %2; color: %3; border: none; "
                          "border-radius: 14px; font-weight: bold; font-size: 16px; }\n"
                          "QPushButton#imageCloseBtn:hover { background-color: #E53935; color: white; }\n")
        .arg(QLatin1String(look.content), QLatin1String(look.close), QLatin1String(look.closeText));
}
