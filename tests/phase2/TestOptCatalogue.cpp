#include "phase2/OptCatalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(StartupScanItem)

namespace {

StartupScanItem entry(const QString& name, int sourceType, int riskLevel, bool canDisable, bool hijacked = false)
{
    StartupScanItem item;
    item.name = name;
    item.command = QStringLiteral("C:\\Tools\\%1.exe /quiet").arg(name);
    item.source = QStringLiteral("HKLM Run");
    item.sourceType = sourceType;
    item.riskLevel = riskLevel;
    item.canDisable = canDisable;
    item.hijacked = hijacked;
    item.riskLabel = riskLevel == 2 ? QStringLiteral("🔴 高风险") : QStringLiteral("🟡 可疑");
    return item;
}

JunkSoftwareHit hit(const QString& id, const QString& riskWord, const QStringList& paths = {})
{
    JunkSoftwareHit h;
    h.id = id;
    h.name = QStringLiteral("Name ") + id;
    h.riskLevel = riskWord;
    h.dimension = QStringLiteral("已安装程序");
    h.evidencePaths = paths;
    return h;
}

QStringList ids(const OptGroup& group)
{
    QStringList result;
    for (const OptItem& item : group.items)
        result.append(item.id);
    return result;
}

OptGroup startupOf(const QVector<StartupScanItem>& items)
{
    return OptCatalogue::startupGroup(OptCatalogue::build().at(OptCatalogue::kStartupGroup), items);
}

} // namespace

class TestOptCatalogue : public QObject {
    Q_OBJECT

private slots:
    void testFixedGroupsInOrder()
    {
        const QVector<OptGroup> groups = OptCatalogue::build();
        QCOMPARE(groups.size(), 7);
        QCOMPARE(ids(groups[0]), QStringList({"C13", "C10", "C11", "C14", "C8", "C1", "C12", "C9"}));
        QCOMPARE(ids(groups[1]), QStringList({"F3", "A2"}));
        QCOMPARE(ids(groups[2]), QStringList({"E1"}));
        QCOMPARE(ids(groups[3]), QStringList({"H3", "H2"}));
        for (int index = 4; index < 7; ++index)
            QVERIFY(groups[index].items.isEmpty());
        QStringList safe;
        QStringList confirming;
        for (const OptGroup& group : groups) {
            for (const OptItem& item : group.items) {
                QVERIFY(!item.infoOnly);
                QVERIFY(item.tag.isEmpty());
                QCOMPARE(item.riskText, OptCatalogue::riskText(item.riskLevel));
                if (item.riskLevel == 0)
                    safe.append(item.id);
                if (!item.confirmType.isEmpty()) {
                    QCOMPARE(item.confirmType, item.id);
                    confirming.append(item.id);
                }
            }
        }
        QCOMPARE(safe, QStringList({"C13", "C10", "C11", "F3", "E1", "H3"}));
        QCOMPARE(confirming, QStringList({"C9", "A2", "H2"}));
    }

    void testStartupRecordToItem_data()
    {
        QTest::addColumn<StartupScanItem>("record");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("infoOnly");
        QTest::addColumn<int>("suggested");
        QTest::addRow("suspicious run value") << entry("foo", 1, 1, true) << "ST:1:foo" << 1 << false << 1;
        QTest::addRow("high risk start-up folder") << entry("bar", 11, 2, true) << "ST:11:bar" << 2 << false << 1;
        QTest::addRow("colon in the name") << entry("a:b", 2, 1, true) << "ST:2:a:b" << 1 << false << 1;
        QTest::addRow("hijacked stays information")
            << entry("AppInit_DLLs", 9, 2, true, true) << "HJ_AppInit_DLLs" << 2 << true << 0;
        QTest::addRow("safe gives the placeholder") << entry("ok", 1, 0, true) << "" << 0 << true << 0;
        QTest::addRow("not disableable gives the placeholder") << entry("task", 12, 2, false) << "" << 0 << true << 0;
    }

    void testStartupRecordToItem()
    {
        QFETCH(StartupScanItem, record);
        QFETCH(QString, id);
        QFETCH(int, level);
        QFETCH(bool, infoOnly);
        QFETCH(int, suggested);
        const OptGroup group = startupOf({record});
        QCOMPARE(group.items.size(), 1);
        const OptItem& item = group.items.first();
        QCOMPARE(item.id, id);
        QCOMPARE(item.riskLevel, level);
        QCOMPARE(item.infoOnly, infoOnly);
        QCOMPARE(group.description, QStringLiteral("共扫描 1 个自启项，其中 %1 项建议优化。").arg(suggested));
        if (id.startsWith(QLatin1String("ST:"))) {
            QCOMPARE(item.title, record.name);
            QCOMPARE(item.riskText, record.riskLabel);
            QCOMPARE(item.tag, record.riskLabel);
        } else if (id.startsWith(QLatin1String("HJ_"))) {
            QCOMPARE(item.title, record.name + QStringLiteral("（劫持风险）"));
            QCOMPARE(item.description, QStringLiteral("这可能是恶意软件修改，建议寻求专业人员帮助。") + record.command);
        } else {
            QCOMPARE(item.title, QStringLiteral("未发现明显异常"));
        }
    }

    // The whole command: the page's label shortens it in the middle where it must, with the whole as tooltip.
    void testHijackedItemsComeFirstAndCommandsAreWhole()
    {
        StartupScanItem longCommand = entry("long", 1, 1, true);
        longCommand.command = QString(70, QLatin1Char('x'));
        const OptGroup group = startupOf({longCommand, entry("Shell", 7, 2, false, true)});
        QCOMPARE(ids(group), QStringList({"HJ_Shell", "ST:1:long"}));
        QCOMPARE(group.items[1].description, QStringLiteral("HKLM Run：") + QString(70, QLatin1Char('x')));
    }

    void testTheSameNameTwiceIsOneItem()
    {
        // A start-up folder with "foo.exe" and "foo.lnk" reports two entries named "foo".
        const OptGroup group = startupOf({entry("foo", 10, 1, true), entry("foo", 10, 2, true),
                                          entry("foo", 11, 1, true),
                                          entry("Shell", 7, 2, false, true), entry("Shell", 7, 2, false, true)});
        QCOMPARE(ids(group), QStringList({"HJ_Shell", "ST:10:foo", "ST:11:foo"}));
        QCOMPARE(group.description, QStringLiteral("共扫描 5 个自启项，其中 2 项建议优化。"));
    }

    void testJunkRecordToItems_data()
    {
        QTest::addColumn<QString>("riskWord");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("expectedIds");
        QTest::addRow("high without paths") << "high" << QStringList() << 2 << QStringList{"ADW_adw-1"};
        QTest::addRow("medium with paths") << "medium" << QStringList{"C:\\A", "C:\\B"} << 1
                                           << QStringList{"ADW_adw-1", "RES:adw-1"};
        QTest::addRow("low") << "low" << QStringList() << 0 << QStringList{"ADW_adw-1"};
        QTest::addRow("case matters") << "High" << QStringList() << 0 << QStringList{"ADW_adw-1"};
    }

    void testJunkRecordToItems()
    {
        QFETCH(QString, riskWord);
        QFETCH(QStringList, paths);
        QFETCH(int, level);
        QFETCH(QStringList, expectedIds);
        const OptGroup base = OptCatalogue::build().at(OptCatalogue::kJunkGroup);
        const OptGroup group = OptCatalogue::junkGroup(base, {hit(QStringLiteral("adw-1"), riskWord, paths)});
        QCOMPARE(ids(group), expectedIds);
        const OptItem& info = group.items.first();
        QCOMPARE(info.riskLevel, level);
        QCOMPARE(info.riskText, OptCatalogue::riskText(level));
        QVERIFY(info.infoOnly);
        QCOMPARE(info.title, QStringLiteral("Name adw-1"));
        QCOMPARE(info.description, QStringLiteral("检测维度：已安装程序。该软件可能带广告或捆绑行为"));
        if (group.items.size() == 2) {
            const OptItem& residue = group.items[1];
            QVERIFY(!residue.infoOnly);
            QCOMPARE(residue.riskLevel, 1);
            QCOMPARE(residue.title, QStringLiteral("Name adw-1 残留文件"));
            QCOMPARE(residue.description, QStringLiteral("检测到卸载残留：C:\\A、C:\\B"));
        }
        QCOMPARE(group.description,
                 QStringLiteral("检测到 1 款可疑软件。卸载请到控制面板完成，本工具可清理勾选的残留文件。"));
    }

    void testConflictRecordsAreNumbered()
    {
        const OptGroup base = OptCatalogue::build().at(OptCatalogue::kConflictGroup);
        const OptGroup group = OptCatalogue::conflictGroup(
            base, {{"antivirus", "两个杀毒", "A、B", "留一个"}, {"pup", "低质量", "C。", "卸载"}});
        QCOMPARE(ids(group), QStringList({"FAM_antivirus_0", "FAM_pup_1"}));
        QCOMPARE(group.items[0].riskLevel, 2);
        QCOMPARE(group.items[1].riskLevel, 1);
        QCOMPARE(group.items[0].description, QStringLiteral("A、B。留一个"));
        QCOMPARE(group.items[1].description, QStringLiteral("C。卸载"));
        QCOMPARE(group.description, QStringLiteral("共 2 条建议，全部仅提示，不自动修改。"));
    }

    void testEmptyReportGivesPlaceholdersAndANewReportReplacesTheOld()
    {
        QVector<OptGroup> groups = OptCatalogue::build();
        ScanReportBundle full;
        full.startupItems = {entry("foo", 1, 2, true)};
        full.junkSoftware = {hit(QStringLiteral("adw-2"), QStringLiteral("high"), {QStringLiteral("C:\\X")})};
        full.conflicts = {{"overlap", "t", "d", "s"}};
        OptCatalogue::applyReport(groups, full);
        QCOMPARE(groups[5].items.size(), 2);
        OptCatalogue::applyReport(groups, ScanReportBundle());
        const char* const placeholders[] = {"未发现明显异常", "未发现垃圾软件", "未发现明显冲突"};
        for (int i = 0; i < 3; ++i) {
            const OptGroup& group = groups[4 + i];
            QCOMPARE(group.items.size(), 1);
            QVERIFY(group.items.first().id.isEmpty());
            QVERIFY(group.items.first().infoOnly);
            QCOMPARE(group.items.first().title, QString::fromUtf8(placeholders[i]));
        }
        QCOMPARE(groups[4].description, QStringLiteral("共扫描 0 个自启项，其中 0 项建议优化。"));
        QCOMPARE(groups[4].title, QStringLiteral("组五：开机自启深度管理"));
        QCOMPARE(ids(groups[0]).size(), 8);
    }
};

QTEST_GUILESS_MAIN(TestOptCatalogue)
#include "TestOptCatalogue.moc"
