#include "ui/dialogs/UndoDialog.h"

#include "engine/undo/ChangeRestorer.h"
#include "engine/undo/UndoJob.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/theme/ThemePalette.h"
#include "ui/widgets/NamedButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <QVBoxLayout>

namespace
{

QLabel* newLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The list's and the results' scroll bars in the theme's colours: the system's light ones would stand out on
// the dark theme. Set on the bars themselves, since a rule of the dialog's sheet does not reach them past the
// window's own sheet.
QString scrollBarSheet(const theme::BaseColours& b)
{
    return QStringLiteral("QScrollBar { background: %1; border: none; margin: 0; }\n"
                          "QScrollBar:vertical { width: 8px; }\nQScrollBar:horizontal { height: 8px; }\n"
                          "QScrollBar::handle { background: %2; border-radius: 4px; min-height: 24px; min-width: 24px; }\n"
                          "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }\n"
                          "QScrollBar::add-page, QScrollBar::sub-page { background: none; }\n")
        .arg(b.page, b.mutedText);
}

} // namespace

UndoDialog::UndoDialog(QWidget* parent, platform::Platform& machine, const QString& recordFolder, const QString& device,
                       int themeIndex)
    : QDialog(parent)
    , confirmTheme(themeIndex)
{
    setObjectName(QStringLiteral("undoDialog"));
    setWindowTitle(QStringLiteral("撤销优化"));
    setModal(true);
    setFixedSize(560, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);
    layout->addWidget(newLabel(this, "undoHeading", QStringLiteral("撤销优化")));
    layout->addWidget(
        newLabel(this, "undoIntro", QStringLiteral("选择一次优化，把它改动过的系统设置恢复成优化前的样子。")));
    noteLabel = newLabel(this, "undoNote", ChangeRestorer::irreversibleNote());
    layout->addWidget(noteLabel);
    runList = new QListWidget(this);
    runList->setObjectName(QStringLiteral("undoRunList"));
    runList->addItem(QStringLiteral("正在读取优化记录..."));
    layout->addWidget(runList, 2);
    results = new QPlainTextEdit(this);
    results->setObjectName(QStringLiteral("undoResults"));
    results->setReadOnly(true);
    results->setPlaceholderText(QStringLiteral("恢复结果会显示在这里"));
    layout->addWidget(results, 3);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    restoreBtn = dialogButton(this, "undoRestoreBtn", QStringLiteral("撤销所选"));
    restoreBtn->setEnabled(false);
    closeBtn = dialogButton(this, "undoCloseBtn", QStringLiteral("关闭"));
    buttons->addWidget(restoreBtn);
    buttons->addWidget(closeBtn);
    layout->addLayout(buttons);
    setTheme(themeIndex);

    thread = new QThread(this);
    job = new UndoJob(machine, recordFolder, device);
    job->moveToThread(thread);
    connect(thread, &QThread::finished, job, &QObject::deleteLater);
    connect(job, &UndoJob::listed, this, &UndoDialog::onListed);
    connect(job, &UndoJob::lineReady, this, &UndoDialog::onLine);
    connect(job, &UndoJob::retitled, this, [this](int index, const QString& title) {
        if (QListWidgetItem* item = runList->item(index))
            item->setText(title);
    });
    connect(job, &UndoJob::restored, this, &UndoDialog::onRestored);
    connect(restoreBtn, &QPushButton::clicked, this, &UndoDialog::onRestoreClicked);
    connect(closeBtn, &QPushButton::clicked, this, &UndoDialog::reject);
    connect(runList, &QListWidget::currentRowChanged, this, [this](int row) {
        restoreBtn->setEnabled(!busy && row >= 0 && runList->item(row)->flags().testFlag(Qt::ItemIsEnabled));
    });
    thread->start();
    QMetaObject::invokeMethod(job, &UndoJob::list, Qt::QueuedConnection);
}

UndoDialog::~UndoDialog()
{
    thread->quit();
    thread->wait();
}

void UndoDialog::setTheme(int themeIndex)
{
    const QString sheet = styleSheetFor(themeIndex);
    if (sheet.isEmpty())
        return;
    setStyleSheet(sheet);
    const QString bars = scrollBarSheet(theme::palette(themeIndex)->base);
    for (QAbstractScrollArea* area : std::initializer_list<QAbstractScrollArea*>{runList, results}) {
        area->verticalScrollBar()->setStyleSheet(bars);
        area->horizontalScrollBar()->setStyleSheet(bars);
    }
}

QString UndoDialog::styleSheetFor(int themeIndex)
{
    const theme::ThemePalette* palette = theme::palette(themeIndex);
    if (!palette)
        return {};
    const theme::BaseColours& b = palette->base;
    const theme::AboutLook& a = palette->about;
    const QString px = QString::number(a.descriptionPx > 0 ? a.descriptionPx : 13);
    return QStringLiteral("QDialog#undoDialog { background-color: %1; }\n").arg(a.frame) +
           QStringLiteral("QLabel#undoHeading { color: %1; font-size: %2px; font-weight: bold; }\n")
               .arg(b.primaryText)
               .arg(a.namePx > 0 ? a.namePx : 18) +
           QStringLiteral("QLabel#undoIntro { color: %1; font-size: %2px; }\n").arg(b.secondaryText, px) +
           QStringLiteral("QLabel#undoNote { color: %1; font-size: %2px; }\n").arg(b.mutedText, px) +
           QStringLiteral("QListWidget#undoRunList, QPlainTextEdit#undoResults { background-color: %1; color: %2; "
                          "border: 1px solid %3; border-radius: 8px; font-size: %4px; padding: 4px; }\n")
               .arg(b.page, b.primaryText, a.linkBorder.section(QLatin1Char(' '), -1), px) +
           QStringLiteral("QListWidget#undoRunList::item { padding: 6px; }\n") +
           QStringLiteral("QListWidget#undoRunList::item:selected { background-color: %1; color: %2; }\n")
               .arg(b.accent, b.onAccent) +
           QStringLiteral("QPushButton#undoRestoreBtn { background: %1; color: %2; border: none; border-radius: 18px; "
                          "font-size: %3px; font-weight: bold; padding: 0 20px; }\n")
               .arg(a.ok, b.onAccent, px) +
           QStringLiteral("QPushButton#undoRestoreBtn:hover { background: %1; }\n").arg(a.okHover) +
           QStringLiteral("QPushButton#undoRestoreBtn:disabled { background: %1; color: %2; }\n")
               .arg(a.link, b.mutedText) +
           QStringLiteral(
               "QPushButton#undoCloseBtn { background-color: %1; color: %2; border: %3; border-radius: 18px; "
               "font-size: %4px; padding: 0 20px; }\n")
               .arg(a.link, a.linkText, a.linkBorder, px) +
           QStringLiteral("QPushButton#undoCloseBtn:hover { background-color: %1; color: %2; }\n")
               .arg(a.linkHover, a.linkHoverText);
}

void UndoDialog::reject()
{
    if (!busy)
        QDialog::reject();
}

void UndoDialog::onListed(const QStringList& titles)
{
    runList->clear();
    runList->addItems(titles);
    if (!titles.isEmpty()) {
        runList->setCurrentRow(0);
        return;
    }
    runList->addItem(QStringLiteral("这台电脑还没有可以撤销的优化记录"));
    runList->item(0)->setFlags(Qt::NoItemFlags);
}

void UndoDialog::onRestoreClicked()
{
    const int row = runList->currentRow();
    if (row < 0 || busy)
        return;
    const QString question = QStringLiteral("要把这次优化改动过的设置恢复原样吗？\n\n%1").arg(runList->item(row)->text());
    if (!MessageBox::confirm(this, confirmTheme, ThemedMessage::Question, QStringLiteral("撤销优化"), question,
                             QStringLiteral("恢复"), QStringLiteral("取消")))
        return;
    busy = true;
    restoreBtn->setEnabled(false);
    closeBtn->setEnabled(false);
    results->clear();
    QMetaObject::invokeMethod(
        job, [this, row] { job->restore(row); }, Qt::QueuedConnection);
}

void UndoDialog::onLine(const QString& line)
{
    results->appendPlainText(line);
}

void UndoDialog::onRestored(int restoredCount, int alreadySoCount, int failedCount)
{
    busy = false;
    closeBtn->setEnabled(true);
    restoreBtn->setEnabled(runList->currentRow() >= 0);
    results->appendPlainText(QStringLiteral("撤销完成：已恢复 %1 项，已是原状 %2 项，恢复失败 %3 项")
                                 .arg(restoredCount)
                                 .arg(alreadySoCount)
                                 .arg(failedCount));
}
