#include "ui/progress/ProgressPage.h"

#include "ui/theme/ThemePalette.h"
#include "ui/widgets/CircularProgressBar.h"
#include "ui/widgets/SphereTagCloud.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct StepText {
    const char* title;
    const char* description;
    const char* tip;
};

const StepText kStepTexts[] = {
    {"🔍 正在检查您的电脑...", "看看是什么系统版本，检查电源和磁盘...", "优化过程安全无毒，请放心。"},
    {"🔍 正在帮您找没用的文件", "正在扫描电脑里的垃圾文件...", "上网看视频留下的临时文件，清理了不影响您的东西。"},
    {"⚡ 正在关掉后台偷偷跑的程序", "把占着内存不用的程序关掉", "您正在用的程序不会关，放心。"},
    {"⚡ 正在帮您把电脑调到最顺手", "关掉没用的特效，让电脑反应更快", "桌面和文件不会变，只是反应更快。"},
    {"🔍 正在保护您的隐私设置", "关掉不必要的隐私选项和广告追踪", "不会读取您的个人文件和浏览记录。"},
    {"⚡ 正在给硬盘提速，打开文件更快", "整理硬盘，让打开文件和软件更快", "不会删您的照片和文件。"},
    {"⚡ 正在关掉开机自动跑的没用软件", "看看哪些软件一开机就自己启动占资源", "关掉后开机更快，想用的时候再点开就行。"},
};
constexpr int kStepCount = sizeof(kStepTexts) / sizeof(kStepTexts[0]);

const char* const kTags[] = {"垃圾文件", "临时文件", "上网垃圾", "更新缓存", "图片缓存", "错误日志", "闲置内存",
                             "后台程序", "无用特效", "不用服务", "系统广告", "无用数据", "开机自启", "磁盘整理",
                             "硬盘提速", "预读文件", "安装包",   "旧驱动",   "内存垃圾", "错误报告"};

const StepText kDoneText = {"优化完成啦！", "电脑已经帮您收拾好了，现在用起来更流畅。",
                            "建议您每隔一两个星期就点一次，电脑一直好用。"};

QString pageSheet(const theme::ThemePalette& p)
{
    const theme::ProgressLook& g = p.progress;
    return QStringLiteral("QWidget#ProgressPage { background-color: %1; }\n").arg(p.base.page)
        + QStringLiteral("QLabel#stepTitle { color: %1; font-size: %2px; font-weight: bold; }\n")
              .arg(p.base.primaryText)
              .arg(g.titlePx)
        + QStringLiteral("QLabel#stepDesc { color: %1; font-size: %2px; }\n").arg(p.base.secondaryText).arg(g.descPx)
        + QStringLiteral("QLabel#tipLabel { color: %1; font-size: %2px; background-color: %3; border-radius: %4px; "
                         "padding: %5; }\n")
              .arg(g.tipText, QString::number(g.tipPx), g.tipBackground, QString::number(g.tipRadius), g.tipPadding)
        + QStringLiteral("QLabel#centerPercent { color: %1; }\n").arg(p.base.primaryText);
}

QLabel* newLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

ProgressPage::ProgressPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ProgressPage"));
    setAttribute(Qt::WA_StyledBackground);
    buildWidgets();
    setTexts();
    for (const char* tag : kTags)
        cloud->addTag(QString::fromUtf8(tag));
}

void ProgressPage::buildWidgets()
{
    circularContainer = new QWidget(this);
    circularContainer->setObjectName(QStringLiteral("circularContainer"));
    circularContainer->setFixedSize(420, 420);
    ring_ = new CircularProgressBar(circularContainer);
    ring_->setGeometry(0, 0, 420, 420);
    ring_->setPenWidth(16);
    cloud = new SphereTagCloud(circularContainer);
    cloud->setGeometry(20, 20, 380, 380);
    centerPercent = newLabel(circularContainer, "centerPercent");
    centerPercent->setGeometry(110, 150, 200, 120);
    centerPercent->setFont(QFont(QStringLiteral("Microsoft YaHei"), 56, QFont::Bold));
    centerPercent->setAttribute(Qt::WA_TransparentForMouseEvents);

    stepTitle = newLabel(this, "stepTitle");
    stepDesc = newLabel(this, "stepDesc");
    stepDesc->setWordWrap(true);
    tipLabel = newLabel(this, "tipLabel");
    tipLabel->setWordWrap(true);

    auto* mainLayout = new QVBoxLayout(this);
    mainLayout->setObjectName(QStringLiteral("mainLayout"));
    mainLayout->setSpacing(0);
    mainLayout->addSpacing(10);
    mainLayout->addWidget(circularContainer, 0, Qt::AlignHCenter);
    mainLayout->addSpacing(20);
    mainLayout->addWidget(stepTitle);
    mainLayout->addSpacing(8);
    mainLayout->addWidget(stepDesc);
    mainLayout->addSpacing(24);
    mainLayout->addWidget(tipLabel);
    mainLayout->addSpacing(10);
}

void ProgressPage::setTexts()
{
    setWindowTitle(QStringLiteral("正在优化"));
    centerPercent->setText(QStringLiteral("0%"));
    stepTitle->setText(QStringLiteral("正在清理系统垃圾..."));
    stepDesc->setText(QStringLiteral("正在安全地移除临时文件、浏览器缓存和无用日志"));
    tipLabel->setText(QStringLiteral("临时文件会悄悄占用大量磁盘空间。"));
}

void ProgressPage::onProgressUpdate(int step, int percent, const QString& statusText)
{
    const int clamped = std::clamp(percent, 0, 100);
    ring_->setValue(clamped);
    centerPercent->setText(QString::number(percent) + QLatin1Char('%'));
    lightTags(clamped);
    showStep(step);
    if (!statusText.isEmpty())
        stepTitle->setText(statusText);
}

void ProgressPage::lightTags(int percent)
{
    const int count = cloud->tagCount();
    const int target = std::min(count * percent / 100, count - 1);
    for (; tagIndex <= target && tagIndex < count; ++tagIndex) {
        for (int i = 0; i < tagIndex - 1; ++i)
            cloud->tagAt(i).state = 3;
        if (tagIndex > 0)
            cloud->tagAt(tagIndex - 1).state = 2;
        cloud->tagAt(tagIndex).state = 1;
        cloud->update();
    }
}

void ProgressPage::showStep(int step)
{
    if (step == currentStep)
        return;
    currentStep = step;
    if (step < 0 || step >= kStepCount)
        return;
    stepTitle->setText(QString::fromUtf8(kStepTexts[step].title));
    stepDesc->setText(QString::fromUtf8(kStepTexts[step].description));
    tipLabel->setText(QString::fromUtf8(kStepTexts[step].tip));
}

void ProgressPage::onOptimizationDone()
{
    ring_->setValue(100);
    centerPercent->setText(QStringLiteral("100%"));
    for (int i = 0; i < cloud->tagCount(); ++i)
        cloud->tagAt(i).state = 3;
    cloud->update();
    stepTitle->setText(QString::fromUtf8(kDoneText.title));
    stepDesc->setText(QString::fromUtf8(kDoneText.description));
    tipLabel->setText(QString::fromUtf8(kDoneText.tip));
    QTimer::singleShot(kHandOverMs, this, &ProgressPage::optimizationFinished);
}

void ProgressPage::applyTheme(int themeIndex)
{
    if (const theme::ThemePalette* p = theme::palette(themeIndex)) {
        ring_->setColors(QColor(p->base.accent), QColor(p->progress.ringTrack), QColor(p->base.primaryText));
        centerPercent->setStyleSheet(QStringLiteral("color: %1;").arg(p->base.primaryText));
        setStyleSheet(pageSheet(*p));
    }
    cloud->resetStates();
    tagIndex = 0;
}
