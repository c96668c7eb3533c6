#include "analysis/ReportJson.h"
#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <unistd.h>

namespace {

constexpr int kRuns = 50;
// What the allocator may keep of the runs' short-lived strings and lists beyond the first run's high water: well
// below what one kept journal or log line per change would add up to over fifty runs (some 350 KB).
constexpr qint64 kSlackBytes = 256 << 10;

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

// Everything a run reports: the five figures, the run-log lines without their time stamps and the report.
// The boot configuration's backup and the run's change record are named by the time they were made (and a
// number when that second is taken).
QStringList outcome(OptimizeCore& core, qint64 mark)
{
    static const QRegularExpression backupName(QStringLiteral("bcd_backup_[0-9_]+\\.bcd"));
    static const QRegularExpression recordName(QStringLiteral("changes_([0-9a-f]+)_[0-9_]+\\.jsonl"));
    QStringList lines{QStringLiteral("%1 MB, %2 MB, %3 files, %4 s, %5 items")
                          .arg(core.cleanedMB)
                          .arg(core.freedMemoryMB)
                          .arg(core.junkFilesCount)
                          .arg(core.startupFasterSeconds)
                          .arg(core.startupItemsCount)};
    lines += RunLogLines::since(mark)
                 .replaceInStrings(backupName, QStringLiteral("bcd_backup_TIME.bcd"))
                 .replaceInStrings(recordName, QStringLiteral("changes_\\1_TIME.jsonl"));
    lines += QString::fromUtf8(ReportJson::toText(core.report));
    return lines;
}

// AddressSanitizer keeps freed blocks in quarantine, so resident memory grows whatever the program does; there
// LeakSanitizer is the check for memory that is never given back.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentMemoryTells = false;
#else
constexpr bool kResidentMemoryTells = true;
#endif

} // namespace

// One process runs phase 1 fifty times on the same simulated PC (the default machine): its resident memory
// stays within a small slack of what it was after the first run, and from the second run on (the first
// one changed the machine) every run reports exactly the same.
class TestRepeatedRuns : public QObject {
    Q_OBJECT

private slots:
    void testFiftyRunsKeepMemoryAndResults()
    {
        TestMachine machine(platform::sim::defaultMachineProfile());
        RunLogLines::start(machine.platform());
        qint64 firstRss = 0;
        qint64 largestRss = 0;
        QStringList second;
        for (int run = 1; run <= kRuns; ++run) {
            const qint64 mark = RunLogLines::mark();
            OptimizeCore core(machine.platform());
            core.startOptimize();
            const QStringList result = outcome(core, mark);
            const qint64 rss = residentBytes();
            QVERIFY(rss > 0);
            if (run == 1)
                firstRss = rss;
            largestRss = std::max(largestRss, rss);
            if (run == 2)
                second = result;
            else if (run > 2)
                QCOMPARE(result, second);
        }
        QVERIFY2(!kResidentMemoryTells || largestRss <= firstRss + kSlackBytes,
                 qPrintable(QStringLiteral("%1 KB resident after the first run, up to %2 KB later")
                                .arg(firstRss / 1024)
                                .arg(largestRss / 1024)));
        QVERIFY(second.size() > 20);
    }
};

QTEST_GUILESS_MAIN(TestRepeatedRuns)
#include "TestRepeatedRuns.moc"
