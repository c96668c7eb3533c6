#include "ui/updater/UpdaterWindow.h"

#include "ui/theme/ThemePalette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

UpdaterWindow::UpdaterWindow(UpdateRun& flow, int themeIndex) : flow_(flow)
{
    setObjectName(QStringLiteral("updaterWindow"));
    setWindowTitle(QStringLiteral("程序更新"));
    setFixedSize(420, 200);
    createWidgets();
    applyTheme(themeIndex);
    connect(&flow_, &UpdateRun::statusChanged, this, [this](const QString& status) {
        statusLabel->setText(status);
        actionBtn->setEnabled(flow_.canCancel());
    });
    connect(&flow_, &UpdateRun::progressed, this, &UpdaterWindow::onProgressed);
    connect(&flow_, &UpdateRun::finished, this, &UpdaterWindow::onFinished);
    connect(actionBtn, &QPushButton::clicked, this, &UpdaterWindow::onActionClicked);
}

void UpdaterWindow::createWidgets()
{
    statusLabel =
        new QLabel(QStringLiteral("发现新版本。点击“开始更新”下载并安装它，U 盘上的设置和日志会保留。"), this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setWordWrap(true);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    speedLabel = new QLabel(this);
    speedLabel->setObjectName(QStringLiteral("speedLabel"));
    actionBtn = new QPushButton(QStringLiteral("开始更新"), this);
    actionBtn->setObjectName(QStringLiteral("actionBtn"));
    actionBtn->setCursor(Qt::PointingHandCursor);
    actionBtn->setFixedHeight(34);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(speedLabel, 1);
    buttons->addWidget(actionBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(12);
    layout->addWidget(statusLabel, 1);
    layout->addWidget(progressBar);
    layout->addLayout(buttons);
}

void UpdaterWindow::applyTheme(int themeIndex)
{
    const theme::ThemePalette* palette = theme::palette(themeIndex);
    if (!palette)
        palette = theme::palette(theme::kDefault);
    const theme::BaseColours& c = palette->base;
    setStyleSheet(QStringLiteral("QWidget#updaterWindow { background: %1; }"
                                 "QLabel#statusLabel { color: %2; font-size: 14px; }"
                                 "QLabel#speedLabel { color: %3; font-size: 12px; }"
                                 "QProgressBar#progressBar { background: %4; border: none; border-radius: 4px; "
                                 "max-height: 8px; }"
                                 "QProgressBar#progressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, "
                                 "y2:0, stop:0 %5, stop:1 %6); border-radius: 4px; }"
                                 "QPushButton#actionBtn { background: %5; color: %7; border: none; border-radius: "
                                 "17px; padding: 0 22px; font-size: 13px; font-weight: bold; }"
                                 "QPushButton#actionBtn:hover { background: %6; }"
                                 "QPushButton#actionBtn:disabled { background: %4; color: %3; }")
                      .arg(c.page, c.primaryText, c.secondaryText, palette->progress.ringTrack, c.accent, c.accentDeep,
                           c.onAccent));
}

void UpdaterWindow::startUpdate()
{
    started_ = true;
    actionBtn->setText(QStringLiteral("取消"));
    flow_.start();
}

void UpdaterWindow::onActionClicked()
{
    if (ended_) {
        close();
        return;
    }
    if (!started_) {
        startUpdate();
        return;
    }
    if (!flow_.canCancel())
        return;
    actionBtn->setEnabled(false);
    statusLabel->setText(QStringLiteral("正在取消……"));
    flow_.cancel();
}

void UpdaterWindow::onProgressed(qint64 done, qint64 total, qint64 bytesPerSecond)
{
    progressBar->setValue(total > 0 ? static_cast<int>(done * 100 / total) : 100);
    speedLabel->setText(
        QStringLiteral("%1 / %2，%3/秒").arg(sizeText(done), sizeText(total), sizeText(bytesPerSecond)));
}

void UpdaterWindow::onFinished(UpdateRun::Result result, const QString& message)
{
    ended_ = true;
    statusLabel->setText(message);
    if (result == UpdateRun::Result::Updated)
        progressBar->setValue(100);
    actionBtn->setText(QStringLiteral("关闭"));
    actionBtn->setEnabled(true);
}

QString UpdaterWindow::sizeText(qint64 bytes)
{
    constexpr qint64 kMega = 1024 * 1024;
    if (bytes >= kMega)
        return QStringLiteral("%1 MB").arg(static_cast<double>(bytes) / kMega, 0, 'f', 1);
    return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
}
