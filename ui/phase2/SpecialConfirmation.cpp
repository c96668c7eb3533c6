#include "ui/phase2/SpecialConfirmation.h"

#include "phase2/RestorePointListing.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/MessageBox.h"

#include <QInputDialog>

namespace {

struct SizeChoice {
    const char* label;
    int megabytes;
};

const SizeChoice kSizes[] = {{"128 MB", 128}, {"256 MB", 256}, {"512 MB", 512}, {"1 GB", 1024}};

} // namespace

SpecialConfirmation::SpecialConfirmation(QWidget* window, platform::Platform& machine)
    : window(window)
    , machine(machine)
{
}

void SpecialConfirmation::ask(const QString& itemId, int& h2KeepN, int& a2SizeMB)
{
    if (itemId == QLatin1String("H2"))
        askRestorePoints(h2KeepN);
    else if (itemId == QLatin1String("A2"))
        askEventLogSize(a2SizeMB);
}

void SpecialConfirmation::askRestorePoints(int& h2KeepN)
{
    QVector<RestorePointListing::Point> points;
    RestorePointListing(machine).read(points);
    if (points.isEmpty()) {
        MessageBox::information(window, QStringLiteral("系统还原点清理"), QStringLiteral("未检测到系统还原点，无需清理。"));
        return;
    }
    QInputDialog dialog(window);
    dialog.setObjectName(QStringLiteral("h2KeepDialog"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setWindowTitle(QStringLiteral("系统还原点清理"));
    dialog.setLabelText(QStringLiteral("检测到 %1 个还原点。\n请选择要保留的还原点数量（1-5）：\n建议保留最近 1-3 个。")
                            .arg(points.size()));
    dialog.setIntRange(1, 5);
    dialog.setIntStep(1);
    dialog.setIntValue(1);
    if (DialogRunner::exec(dialog) == QDialog::Accepted)
        h2KeepN = dialog.intValue();
}

void SpecialConfirmation::askEventLogSize(int& a2SizeMB)
{
    QStringList labels;
    for (const auto& size : kSizes)
        labels.append(QLatin1String(size.label));
    QInputDialog dialog(window);
    dialog.setObjectName(QStringLiteral("a2SizeDialog"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QStringLiteral("事件日志大小限制"));
    dialog.setLabelText(QStringLiteral("请选择系统日志的最大大小限制：\n超出此大小的旧日志将被自动清理。"));
    dialog.setComboBoxItems(labels);
    dialog.setComboBoxEditable(false);
    dialog.setTextValue(QStringLiteral("256 MB"));
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return;
    a2SizeMB = 1024;
    for (const auto& size : kSizes) {
        if (dialog.textValue() == QLatin1String(size.label))
            a2SizeMB = size.megabytes;
    }
}
