#include "ui/phase2/ItemQuestions.h"

#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/ThemedInput.h"

#include <iterator>

namespace ItemQuestions {

namespace {

struct LogSize {
    const char* text;
    int megabytes;
};

const LogSize kLogSizes[] = {{"128 MB", 128}, {"256 MB", 256}, {"512 MB", 512}, {"1 GB", 1024}};

const char* const kRestoreTitle = "系统还原点清理";

} // namespace

bool askRestorePointsToKeep(QWidget* parent, int themeIndex, int restorePoints, int& keepN)
{
    const QString title = QString::fromUtf8(kRestoreTitle);
    if (restorePoints == 0) {
        MessageBox::information(parent, themeIndex, title, QStringLiteral("未检测到系统还原点，无需清理。"));
        return false;
    }
    QString label = QStringLiteral("请选择要保留的还原点数量（1-5）：\n建议保留最近 1-3 个。");
    if (restorePoints > 0)
        label.prepend(QStringLiteral("检测到 %1 个还原点。\n").arg(restorePoints));
    else if (restorePoints == kCountTimedOut)
        label.prepend(QStringLiteral("系统还原点查询 10 秒内没有回应，未能统计现有数量。\n"));
    else
        label.prepend(QStringLiteral("未能读取系统还原点，无法统计现有数量。\n"));
    ThemedInput dialog(parent, themeIndex, title, label);
    dialog.setObjectName(QStringLiteral("restorePointDialog"));
    dialog.setIntRange(1, 5, 1);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return false;
    keepN = dialog.intValue();
    return true;
}

bool askEventLogSize(QWidget* parent, int themeIndex, int& sizeMB)
{
    QStringList texts;
    for (const LogSize& size : kLogSizes)
        texts.append(QLatin1String(size.text));
    ThemedInput dialog(parent, themeIndex, QStringLiteral("事件日志大小限制"),
                       QStringLiteral("请选择系统日志的最大大小限制：\n超出此大小的旧日志将被自动清理。"));
    dialog.setObjectName(QStringLiteral("eventLogDialog"));
    dialog.setChoices(texts, QStringLiteral("256 MB"));
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return false;
    sizeMB = kLogSizes[std::size(kLogSizes) - 1].megabytes;
    for (const LogSize& size : kLogSizes) {
        if (dialog.choice() == QLatin1String(size.text))
            sizeMB = size.megabytes;
    }
    return true;
}

} // namespace ItemQuestions
