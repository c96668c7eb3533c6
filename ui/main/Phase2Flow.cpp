#include "ui/main/Phase2Flow.h"

#include "engine/BoundedQuery.h"
#include "phase2/RestorePointListing.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/main/DemoSample.h"
#include "ui/main/FlowHost.h"
#include "ui/phase2/Phase2Page.h"
#include "ui/phase2/Phase2Runner.h"

#include <QDir>

Phase2Flow::Phase2Flow(FlowHost& host, Phase2Page* page, bool demoMode, const QString& appDir, QObject* parent)
    : QObject(parent)
    , host(host)
    , page(page)
    , demoMode(demoMode)
    , appDir(appDir)
    , restorePointQuery(new BoundedQuery(this))
{
    if (demoMode)
        restorePointCounter = [] { return kDemoRestorePoints; };
}

Phase2Flow::~Phase2Flow()
{
    delete phase2Runner;
}

bool Phase2Flow::isRunning() const
{
    return phase2Runner && phase2Runner->isRunning();
}

void Phase2Flow::setRestorePointCounter(ItemQuestions::RestorePointCounter counter)
{
    restorePointCounter = std::move(counter);
}

void Phase2Flow::onSpecialConfirmRequested(const QString& itemId)
{
    if (itemId == QLatin1String("H2")) {
        countRestorePoints();
        return;
    }
    // A question answered with cancel must not leave its item ticked with a value nobody chose.
    if (itemId == QLatin1String("A2") &&
        !ItemQuestions::askEventLogSize(host.dialogParent(), host.theme(), a2SizeMB))
        page->setItemChecked(itemId, false);
}

void Phase2Flow::countRestorePoints()
{
    ItemQuestions::RestorePointCounter counter = restorePointCounter;
    if (!counter) {
        // The question counts the points with the listing the clean-up itself uses.
        platform::Platform& machine = platform::current();
        counter = [&machine] {
            QVector<RestorePointListing::Point> points;
            return RestorePointListing(machine).read(points) ? points.size() : ItemQuestions::kCountUnreadable;
        };
    }
    // Ticking again while a count is under way waits for that same answer, so the question comes once.
    restorePointQuery->start([counter] { return QVariant(counter()); },
                             [this](BoundedQuery::Outcome outcome, const QVariant& answer) {
                                 onRestorePointsCounted(outcome == BoundedQuery::Outcome::Answered
                                                            ? answer.toInt()
                                                            : ItemQuestions::kCountTimedOut);
                             });
}

void Phase2Flow::onRestorePointsCounted(int restorePoints)
{
    // Unticked while the machine was asked: nobody waits for the question any more.
    if (!page->isItemChecked(QStringLiteral("H2")))
        return;
    if (!ItemQuestions::askRestorePointsToKeep(host.dialogParent(), host.theme(), restorePoints, h2KeepN))
        page->setItemChecked(QStringLiteral("H2"), false);
}

Phase2Runner* Phase2Flow::ensureRunner()
{
    if (!phase2Runner) {
        phase2Runner =
            new Phase2Runner(host.dialogParent(), platform::current(), demoMode, QDir::toNativeSeparators(appDir));
        connect(phase2Runner, &Phase2Runner::starting, page, &QWidget::hide);
        connect(phase2Runner, &Phase2Runner::finished, this, [this] { emit finished(closeAfterRun); });
    }
    return phase2Runner;
}

bool Phase2Flow::execute(const QVector<OptItem>& items, const ScanReportBundle& report)
{
    // The kept number is not chosen yet; running now would clean with a value nobody picked.
    if (restorePointQuery->isPending()) {
        MessageBox::information(host.dialogParent(), host.theme(), QStringLiteral("提示"),
                                QStringLiteral("正在统计系统还原点，请稍候再执行。"));
        return false;
    }
    return ensureRunner()->execute(items, report, h2KeepN, a2SizeMB, host.theme());
}

bool Phase2Flow::holdClose()
{
    if (!isRunning())
        return false;
    if (closeAfterRun)
        return true;
    closeAfterRun = true;
    phase2Runner->requestStop();
    MessageBox::information(host.dialogParent(), host.theme(), QStringLiteral("正在优化"),
                            QStringLiteral("深度优化正在执行，当前项目完成后会停止，然后关闭窗口。"));
    return true;
}
