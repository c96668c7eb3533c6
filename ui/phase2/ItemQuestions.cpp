#include "ui/phase2/ItemQuestions.h"

#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/MessageBox.h"

#include <QInputDialog>

namespace ItemQuestions {

namespace {

struct LogSize {
    const char* text;
    int megabytes;
};

const LogSize kLogSizes[] = {{"128 MB", 128}, {"256 MB", 256}, {"512 MB", 512}, {"1 GB", 1024}};

const char* const kRestoreTitle = "系统还原点清理";

// QInputDialog's own buttons say "OK" and "Cancel"; the interface speaks Chinese throughout.
void setChineseButtons(QInputDialog& dialog)
{
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
}

} // namespace

bool askRestorePointsToKeep(QWidget* parent, int restorePoints, int& keepN)
{
    const QString title = QString::fromUtf8(kRestoreTitle);
    if (restorePoints == 0) {
        MessageBox::information(parent, title, QStringLiteral("未检测到系统还原点，无需清理。"));
        return false;
    }
    QString label = QStringLiteral("请选择要保留的还原点数量（1-5）：\n建议保留最近 1-3 个。");
    if (restorePoints > 0)
        label.prepend(QStringLiteral("检测到 %1 个还原点。\n").arg(restorePoints));
    else if (restorePoints == kCountTimedOut)
        label.prepend(QStringLiteral("系统还原点查询 10 秒内没有回应，未能统计现有数量。\n"));
    else
        label.prepend(QStringLiteral("未能读取系统还原点，无法统计现有数量。\n"));
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("restorePointDialog"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, 5);
    dialog.setIntStep(1);
    dialog.setIntValue(1);
    setChineseButtons(dialog);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return false;
    keepN = dialog.intValue();
    return true;
}

bool askEventLogSize(QWidget* parent, int& sizeMB)
{
    QStringList texts;
    for (const LogSize& size : kLogSizes)
        texts.append(QLatin1String(size.text));
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("eventLogDialog"));
    dialog.setWindowTitle(QStringLiteral("事件日志大小限制"));
    dialog.setLabelText(QStringLiteral("请选择系统日志的最大大小限制：\n超出此大小的旧日志将被自动清理。"));
    dialog.setComboBoxItems(texts);
    dialog.setComboBoxEditable(false);
    dialog.setTextValue(QStringLiteral("256 MB"));
    setChineseButtons(dialog);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return false;
    sizeMB = kLogSizes[std::size(kLogSizes) - 1].megabytes;
    for (const LogSize& size : kLogSizes) {
        if (dialog.textValue() == QLatin1String(size.text))
            sizeMB = size.megabytes;
    }
    return true;
}

} // namespace ItemQuestions
