#include "ui/dialogs/Phase2ProgressDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ThemeSheets {
    const char* dialog;
    const char* status;
    const char* heading; // the default black would vanish on the dark card
};

const ThemeSheets kThemes[] = {
    {"QDialog { background:#141923; border:1px solid #1E2433; border-radius:12px; }", "font-size:13px; color:#C7CDD9;",
     "font-size:16px; font-weight:bold; color:#E6EAF2;"},
    {"QDialog { background:#FFF8F0; border:1px solid #F0D9BD; border-radius:12px; }", "font-size:13px; color:#5C3D22;",
     "font-size:16px; font-weight:bold; color:#3D2A17;"},
    {"QDialog { background:#FFFFFF; border:1px solid #E4E9F2; border-radius:12px; }", "font-size:13px; color:#475569;",
     "font-size:16px; font-weight:bold; color:#1E293B;"},
};

const char* const kBarSheet =
    "QProgressBar { border:none; border-radius:5px; background:#E4E9F2; }QProgressBar::chunk { border-radius:5px; "
    "background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 #1A73E8,stop:1 #00C2FF); }";
const char* const kButtonSheet =
    "QPushButton { background:#1A73E8; color:white; border:none; border-radius:8px; padding:8px 24px; "
    "font-size:13px; }QPushButton:hover { background:#1557C0; }";

} // namespace

Phase2ProgressDialog::Phase2ProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("phase2ProgressDialog"));
    setModal(true);
    setFixedSize(420, 200);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    heading = new QLabel(QStringLiteral("正在执行深度优化..."), this);
    heading->setObjectName(QStringLiteral("phase2Heading"));
    statusLabel = new QLabel(QStringLiteral("准备中..."), this);
    statusLabel->setObjectName(QStringLiteral("phase2Status"));
    statusLabel->setWordWrap(true);
    statusLabel->setTextFormat(Qt::PlainText);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("phase2Bar"));
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    progressBar->setFixedHeight(10);
    progressBar->setStyleSheet(QLatin1String(kBarSheet));
    auto* closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("phase2CloseBtn"));
    closeButton->setCursor(Qt::PointingHandCursor);
    closeButton->setStyleSheet(QLatin1String(kButtonSheet));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    auto* buttonRow = new QHBoxLayout();
    buttonRow->addStretch();
    buttonRow->addWidget(closeButton);
    layout->addWidget(heading);
    layout->addWidget(statusLabel);
    layout->addWidget(progressBar);
    layout->addLayout(buttonRow);
    applyTheme(2);
}

void Phase2ProgressDialog::applyTheme(int themeIndex)
{
    const ThemeSheets& sheets = kThemes[themeIndex == 0 || themeIndex == 1 ? themeIndex : 2];
    setStyleSheet(QLatin1String(sheets.dialog));
    statusLabel->setStyleSheet(QLatin1String(sheets.status));
    heading->setStyleSheet(QLatin1String(sheets.heading));
}

void Phase2ProgressDialog::reset()
{
    progressBar->setValue(0);
    statusLabel->setText(QStringLiteral("准备执行..."));
}

void Phase2ProgressDialog::onProgress(int percent, const QString& status)
{
    progressBar->setValue(percent);
    statusLabel->setText(status);
}

void Phase2ProgressDialog::onFinished(const QString& summary)
{
    progressBar->setValue(100);
    statusLabel->setText(summary.left(kStatusChars));
}
