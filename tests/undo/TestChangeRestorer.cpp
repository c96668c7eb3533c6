#include "engine/undo/ChangeRecord.h"
#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/ChangeRestorer.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TestMachine.h"

#include <QJsonDocument>
#include <QtTest>

using platform::sim::mergeProfile;

namespace
{

const QString kDevice = QStringLiteral("0123456789abcdef");
const QString kPc = QStringLiteral("6f1c2a8e-93d4-4b7a-a5e2-0c8d17f4b963");
const QString kAppraiser = QStringLiteral("\\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater");

// The state a run left behind: the tweak applied, the scanner service disabled and stopped, the task off.
nlohmann::json afterRun()
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile,
                 {{"registry",
                   {{"HKLM\\SOFTWARE\\Microsoft\\Cryptography", {{"MachineGuid", kPc.toStdString()}}},
                    {"HKCU\\Control Panel\\Desktop", {{"MenuShowDelay", "0"}}},
                    {"HKLM\\SYSTEM\\CurrentControlSet\\Services\\stisvc", {{"Start", 4}}}}},
                  {"services",
                   {{"stisvc", {{"state", "stopped"}, {"startType", "disabled"}}},
                    {"wuauserv", {{"state", "running"}, {"startType", "manual"}}}}},
                  {"tasks",
                   {{{"path", "\\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater"}, {"enabled", false}},
                    {{"path", "\\Microsoft\\Windows\\Defrag\\ScheduledDefrag"}, {"enabled", true}}}}});
    return profile;
}

QByteArray line(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray header(const QString& device = kDevice, const QString& pc = kPc)
{
    return line({{"format", "tidewell-changes"},
                 {"version", 1},
                 {"device", device},
                 {"machine", pc},
                 {"run", "phase1"},
                 {"started", "2026-12-09T01:30:00"}});
}

QByteArray menuDelay(int type, const char* hex)
{
    return line({{"kind", "registry"},
                 {"hive", "HKCU"},
                 {"view", "native64"},
                 {"key", "Control Panel\\Desktop"},
                 {"value", "MenuShowDelay"},
                 {"prior", QJsonObject{{"type", type}, {"data", hex}}}});
}

QByteArray service(const char* kind, const QJsonValue& prior = QJsonValue())
{
    QJsonObject change{{"kind", kind}, {"service", "stisvc"}};
    if (!prior.isNull())
        change.insert("prior", prior);
    return line(change);
}

QByteArray task(const QString& path, bool prior)
{
    return line({{"kind", "task"}, {"path", path}, {"prior", prior}});
}

ChangeRecord recordOf(const QByteArray& changes, const QByteArray& first = header())
{
    ChangeRecord record;
    QString problem;
    if (!ChangeRecord::parse(first + '\n' + changes, record, problem))
        qFatal("test record does not parse: %s", qPrintable(problem));
    return record;
}

const QString kIgnoredOne = QStringLiteral("记录中有 1 项不属于本程序会做的更改，已忽略");

} // namespace

// Undoing a change record on a simulated PC: what the program changed comes back, and a record, being data on
// a stick anyone can write, never makes it touch anything else.
class TestChangeRestorer : public QObject
{
    Q_OBJECT

private slots:
    void testRestore_data()
    {
        QTest::addColumn<QByteArray>("changes");
        QTest::addColumn<QStringList>("lines");
        const QString menu = QStringLiteral("注册表 HKCU\\Control Panel\\Desktop [MenuShowDelay]：已恢复");
        const QByteArray menuLine = menuDelay(1, "3400300030000000");
        QTest::addRow("a tweak value comes back") << menuLine << QStringList{menu};
        QTest::addRow("a value outside the program's tables")
            << line({{"kind", "registry"},
                     {"hive", "HKLM"},
                     {"view", "native64"},
                     {"key", "SYSTEM\\CurrentControlSet\\Services\\stisvc"},
                     {"value", "Start"},
                     {"prior", QJsonObject{{"type", 4}, {"data", "02000000"}}}})
            << QStringList{kIgnoredOne};
        QTest::addRow("a type the place never holds") << menuDelay(3, "00") << QStringList{kIgnoredOne};
        QTest::addRow("a service start type")
            << service("serviceStart", 2) << QStringList{QStringLiteral("服务 stisvc 启动类型（自动）：已恢复")};
        QTest::addRow("a service the program never disables")
            << line({{"kind", "serviceStart"}, {"service", "wuauserv"}, {"prior", 4}}) << QStringList{kIgnoredOne};
        QTest::addRow("a boot start type") << service("serviceStart", 0) << QStringList{kIgnoredOne};
        QTest::addRow("the program's task")
            << task(kAppraiser, true) << QStringList{QStringLiteral("计划任务 %1：已恢复").arg(kAppraiser)};
        QTest::addRow("another task") << task(QStringLiteral("\\Microsoft\\Windows\\Defrag\\ScheduledDefrag"), false)
                                      << QStringList{kIgnoredOne};
        QTest::addRow("settings that are not the program's")
            << line({{"kind", "setting"}, {"setting", "bootTimeout"}, {"target", "{bootmgr}"}, {"prior", "30 & del"}}) +
                   "\n" + line({{"kind", "setting"}, {"setting", "firewall"}, {"target", ""}, {"prior", "off"}})
            << QStringList{QStringLiteral("记录中有 2 项不属于本程序会做的更改，已忽略")};
        QTest::addRow("removing a key the program never writes to")
            << line({{"kind", "registryKey"}, {"hive", "HKLM"}, {"view", "native64"}, {"key", "SOFTWARE\\Microsoft"}})
            << QStringList{kIgnoredOne};
        QTest::addRow("an unknown kind") << line({{"kind", "format"}, {"drive", "C:"}}) << QStringList{kIgnoredOne};
        QTest::addRow("a record cut off mid-line")
            << menuLine + "\n" + service("serviceStart", 2).left(20)
            << QStringList{menu, QStringLiteral("记录中有 1 项无法读取（记录不完整或已损坏），已跳过")};
        QTest::addRow("a member of the wrong type")
            << service("serviceStart", QStringLiteral("2"))
            << QStringList{QStringLiteral("记录中有 1 项无法读取（记录不完整或已损坏），已跳过")};
        QTest::addRow("a stopped service starts after its start type is back")
            << service("serviceStart", 3) + "\n" + service("serviceStopped")
            << QStringList{QStringLiteral("服务 stisvc 启动类型（手动）：已恢复"),
                           QStringLiteral("服务 stisvc 运行状态：已恢复")};
    }

    void testRestore()
    {
        QFETCH(QByteArray, changes);
        QFETCH(QStringList, lines);
        TestMachine machine(afterRun());
        const ChangeRecord record = recordOf(changes);
        QCOMPARE(ChangeRestorer(machine.platform()).restore(record, kDevice, kPc).lines, lines);
        machine.reopen();
        QCOMPARE(machine.machine().document()["registry"]["HKLM\\SYSTEM\\CurrentControlSet\\Services\\stisvc"],
                 afterRun()["registry"]["HKLM\\SYSTEM\\CurrentControlSet\\Services\\stisvc"]);
    }

    void testSecondRestoreChangesNothing()
    {
        TestMachine machine(afterRun());
        const ChangeRecord record =
            recordOf(service("serviceStart", 3) + "\n" + service("serviceStopped") + "\n" + task(kAppraiser, true));
        ChangeRestorer(machine.platform()).restore(record, kDevice, kPc);
        const int journalled = machine.journal().size();
        const auto second = ChangeRestorer(machine.platform()).restore(record, kDevice, kPc);
        QCOMPARE(second.alreadySo, 3);
        QCOMPARE(second.restored + second.failed, 0);
        for (const QString& line : machine.journal().mid(journalled))
            QVERIFY2(!line.contains(QLatin1String("->")) && !line.contains(QLatin1String(" = ")), qPrintable(line));
    }

    void testRecordOfAnotherPcIsRefused_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("pc");
        QTest::addRow("another stick") << QStringLiteral("fedcba9876543210") << kPc;
        QTest::addRow("another PC") << kDevice << QStringLiteral("00000000-0000-0000-0000-000000000000");
        QTest::addRow("a PC without identifier") << kDevice << QString();
    }

    void testRecordOfAnotherPcIsRefused()
    {
        QFETCH(QString, device);
        QFETCH(QString, pc);
        TestMachine machine(afterRun());
        const ChangeRecord record = recordOf(service("serviceStart", 2), header(device, pc));
        const auto summary = ChangeRestorer(machine.platform()).restore(record, kDevice, kPc);
        QVERIFY(summary.refused);
        QCOMPARE(summary.lines,
                 QStringList{QStringLiteral("这份更改记录不是在这台电脑上用本程序生成的，未作任何更改")});
        QCOMPARE(machine.machine().document()["services"]["stisvc"]["startType"], "disabled");
    }

    void testHeaderMustBeARecords_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addRow("empty") << QByteArray();
        QTest::addRow("not JSON") << QByteArray("changes");
        QTest::addRow("another format") << header().replace("tidewell-changes", "other");
        QTest::addRow("a later version") << header().replace("\"version\":1", "\"version\":2");
        QTest::addRow("a device that is a path") << header(QStringLiteral("../../x"));
        QTest::addRow("an unknown run") << header().replace("phase1", "phase3");
        QTest::addRow("no start time") << header().replace("2026-12-09T01:30:00", "yesterday");
    }

    void testHeaderMustBeARecords()
    {
        QFETCH(QByteArray, first);
        ChangeRecord record;
        QString problem;
        QVERIFY(!ChangeRecord::parse(first + "\n{\"kind\":\"task\"}\n", record, problem));
        QCOMPARE(problem, QStringLiteral("不是有效的更改记录"));
    }

    void testRecordNamesAndStamps()
    {
        QTemporaryDir folder;
        ChangeRecord::Header first{kDevice, kPc, QStringLiteral("phase1"),
                                   QDateTime(QDate(2026, 12, 9), QTime(1, 30, 0))};
        const QString path = ChangeRecordFolder::newRecordPath(folder.path(), first);
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("changes_0123456789abcdef_20261209_013000.jsonl"));
        QFile(path).open(QIODevice::WriteOnly);
        const QString second = QFileInfo(ChangeRecordFolder::newRecordPath(folder.path(), first)).fileName();
        QCOMPARE(second, QStringLiteral("changes_0123456789abcdef_20261209_013000_2.jsonl"));
        QCOMPARE(ChangeRecordFolder::stampOf(second), QStringLiteral("20261209_013000_2"));
        QCOMPARE(ChangeRecordFolder::stampOf(QStringLiteral("changes_a_b.jsonl")), QString());
        QCOMPARE(ChangeRecordFolder::besideLogs(QStringLiteral("/stick/Tidewell/app/logs")),
                 QStringLiteral("/stick/Tidewell/app/changes"));
    }
};

QTEST_GUILESS_MAIN(TestChangeRestorer)
#include "TestChangeRestorer.moc"
