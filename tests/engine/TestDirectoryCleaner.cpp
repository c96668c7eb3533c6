#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QFileInfo>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

nlohmann::json file(const std::string& path, std::uint64_t size, double ageHours = 100,
                    const std::vector<std::string>& attributes = {})
{
    nlohmann::json entry = {{"path", path}, {"size", size}, {"ageHours", ageHours}};
    if (!attributes.empty())
        entry["attributes"] = attributes;
    return entry;
}

nlohmann::json machineWith(const nlohmann::json& files)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, {{"files", files}});
    return profile;
}

} // namespace

// The directory cleaners: what they delete, what they count (only what is really gone), their log lines,
// and that no link ever takes them outside the folder they were given.
class TestDirectoryCleaner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testCountsOnlyWhatWasDeleted()
    {
        TestMachine machine(machineWith({file("C:\\Junk\\a.tmp", 1048576), file("C:\\Junk\\sub\\b.tmp", 524288),
                                         file("C:\\Junk\\locked.tmp", 7340032, 100, {"locked"}),
                                         file("C:\\Junk\\setup.exe", 3145728, 100, {"readonly"}),
                                         file("C:\\Junk\\thumbs.db", 1024, 100, {"hidden", "system"}),
                                         file("C:\\Junk\\cloud.tmp", 9437184, 100, {"placeholder"})}));
        OptimizeCore core(machine.platform());
        core.junkFilesCount = 5;
        const int mark = RunLogLines::mark();
        QCOMPARE(core.cleanDirectory(QStringLiteral("C:\\Junk\\"), {}), qint64(1048576 + 524288 + 3145728 + 1024));
        QCOMPARE(core.junkFilesCount, 9);
        QCOMPARE(RunLogLines::engineSince(mark),
                 QStringList{QStringLiteral("    清理目录 C:\\Junk\\: 释放 4 MB，删除 4 个文件")});
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Junk\\locked.tmp"))));
        QVERIFY(!QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Junk\\setup.exe"))));
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Junk\\cloud.tmp"))));
        QVERIFY(QFileInfo(machine.hostPath(QStringLiteral("C:\\Junk\\sub"))).isDir());
    }

    void testOnlyLockedFilesGiveNothingAndNoLine()
    {
        TestMachine machine(machineWith({file("C:\\Junk\\a.log", 4096, 100, {"locked"}),
                                         file("C:\\Junk\\b.log", 8192, 100, {"locked"})}));
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        QCOMPARE(core.cleanDirectory(QStringLiteral("C:\\Junk\\"), {}), qint64(0));
        QCOMPARE(core.junkFilesCount, 0);
        QCOMPARE(RunLogLines::engineSince(mark), QStringList());
    }

    void testMissingFolderGivesNothing()
    {
        TestMachine machine;
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        QCOMPARE(core.cleanDirectory(QStringLiteral("C:\\Nowhere\\"), {}), qint64(0));
        QCOMPARE(core.cleanDirectoryOlderThan(QStringLiteral("C:\\Nowhere\\"), {}), qint64(0));
        QCOMPARE(RunLogLines::engineSince(mark), QStringList());
    }

    void testFiltersMatchWithoutRegardToCase()
    {
        TestMachine machine(machineWith({file("C:\\WER\\A\\REPORT.WER", 100), file("C:\\WER\\A\\mini.Dmp", 200),
                                         file("C:\\WER\\A\\memory.hdmp", 400), file("C:\\WER\\A\\meta.xml", 800)}));
        OptimizeCore core(machine.platform());
        QCOMPARE(core.cleanDirectory(QStringLiteral("C:\\WER\\"), {QStringLiteral("*.wer"), QStringLiteral("*.dmp")}),
                 qint64(300));
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\WER\\A\\memory.hdmp"))));
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\WER\\A\\meta.xml"))));
    }

    void testAgeLimitKeepsTheLastDay()
    {
        TestMachine machine(machineWith({file("C:\\WER\\new.wer", 1000, 23), file("C:\\WER\\old.wer", 3145728, 25)}));
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        QCOMPARE(core.cleanDirectoryOlderThan(QStringLiteral("C:\\WER\\"), {QStringLiteral("*.wer")}), qint64(3145728));
        QCOMPARE(core.junkFilesCount, 1);
        QCOMPARE(RunLogLines::engineSince(mark),
                 QStringList{QStringLiteral("    清理目录(限时24h) C:\\WER\\: 释放 3 MB，删除 1 个文件")});
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\WER\\new.wer"))));
    }

    void testALinkInsideIsNeverEntered()
    {
        TestMachine machine(machineWith({file("C:\\Users\\Ann\\Pictures\\Family\\IMG_1.JPG", 5000),
                                         file("C:\\Users\\Ann\\Pictures\\Family\\2019\\IMG_2.JPG", 6000),
                                         file("C:\\Temp\\x.tmp", 10),
                                         {{"path", "C:\\Temp\\photos"}, {"linkTo", "C:\\Users\\Ann\\Pictures\\Family"}},
                                         {{"path", "C:\\Temp\\deep\\more"}, {"linkTo", "C:\\Users\\Ann\\Pictures"}}}));
        OptimizeCore core(machine.platform());
        QCOMPARE(core.cleanDirectory(QStringLiteral("C:\\Temp"), {}), qint64(10));
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Users\\Ann\\Pictures\\Family\\IMG_1.JPG"))));
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Users\\Ann\\Pictures\\Family\\2019\\IMG_2.JPG"))));
        QVERIFY(QFileInfo(machine.hostPath(QStringLiteral("C:\\Temp\\photos"))).isSymLink());
        QCOMPARE(core.junkFilesCount, 1);
    }

    void testAFolderThatIsALinkIsNotWalked()
    {
        TestMachine machine(machineWith({file("C:\\Users\\Ann\\Documents\\tax.xlsx", 5000),
                                         {{"path", "C:\\Cache"}, {"linkTo", "C:\\Users\\Ann\\Documents"}}}));
        OptimizeCore core(machine.platform());
        QCOMPARE(core.cleanDirectory(QStringLiteral("C:\\Cache\\"), {}), qint64(0));
        QCOMPARE(core.cleanDirectoryOlderThan(QStringLiteral("C:\\Cache"), {}), qint64(0));
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Users\\Ann\\Documents\\tax.xlsx"))));
        QCOMPARE(core.junkFilesCount, 0);
    }

    void testItemLineShowsTheDifferenceEvenWhenZero_data()
    {
        QTest::addColumn<qint64>("before");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("line");
        QTest::addRow("nothing") << qint64(5000) << qint64(5000) << QStringLiteral("  清理 [A3 着色器缓存]: +0 MB");
        QTest::addRow("truncated") << qint64(0) << qint64(2097151) << QStringLiteral("  清理 [A3 着色器缓存]: +1 MB");
        QTest::addRow("beyond 2 GiB") << qint64(1) << qint64(5368709121) << QStringLiteral("  清理 [A3 着色器缓存]: +5120 MB");
    }

    void testItemLineShowsTheDifferenceEvenWhenZero()
    {
        QFETCH(qint64, before);
        QFETCH(qint64, total);
        TestMachine machine;
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        core.logItemFreed(QStringLiteral("A3 着色器缓存"), before, total);
        QTEST(RunLogLines::engineSince(mark).value(0), "line");
    }
};

QTEST_GUILESS_MAIN(TestDirectoryCleaner)
#include "TestDirectoryCleaner.moc"
