#include "engine/undo/ChangeRecord.h"
#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/ChangeRecordWriter.h"
#include "engine/undo/ChangeRestorer.h"
#include "engine/undo/RecordingPlatform.h"
#include "phase2/PolicyRunBackup.h"
#include "platform/sim/DefaultMachine.h"
#include "startup/StartupManager.h"
#include "support/TestMachine.h"
#include "text/PlatformText.h"

#include <QJsonDocument>
#include <QtTest>

using namespace platform;
using platform::sim::mergeProfile;

namespace
{

const QString kDevice = QStringLiteral("0123456789abcdef");
const QString kPc = QStringLiteral("6f1c2a8e-93d4-4b7a-a5e2-0c8d17f4b963");
const QString kAppraiser = QStringLiteral("\\Microsoft\\Windows\\Application Experience\\ProgramDataUpdater");
const QString kPolicyRun = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run");
const QString kBackup = QStringLiteral("SOFTWARE\\Tidewell\\PolicyRunBackup\\");
const QString kRun = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kTelemetryKey = QStringLiteral("SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection");
// What a run must never touch, whatever its record says.
const char* const kUntouched[] = {"HKLM\\SYSTEM\\CurrentControlSet\\Services\\stisvc",
                                  "HKLM\\SOFTWARE\\Tidewell\\PolicyRunBackup\\HKLM",
                                  "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"};

// The state a run left behind: the tweak applied, the scanner service disabled and stopped, the task off.
nlohmann::json afterRun()
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile,
                 {{"registry",
                   {{"HKLM\\SOFTWARE\\Microsoft\\Cryptography", {{"MachineGuid", kPc.toStdString()}}},
                    {"HKCU\\Control Panel\\Desktop", {{"MenuShowDelay", "0"}}},
                    {"HKLM\\SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection", {{"AllowTelemetry", 0}}},
                    {"HKLM\\SYSTEM\\CurrentControlSet\\Services\\stisvc", {{"Start", 4}}},
                    {"HKLM\\SOFTWARE\\Tidewell\\PolicyRunBackup\\HKLM", {{"Locked", "c:\\locked.exe"}}},
                    {"HKLM\\SOFTWARE\\Tidewell\\PolicyRunBackup\\HKCU", {{"Kept", "c:\\kept.exe"}}},
                    {"HKLM\\" + kPolicyRun.toStdString(), {{"@readOnly", true}}},
                    {"HKLM\\" + kRun.toStdString(), {{"Tool", "c:\\tool.exe"}}}}},
                  {"services",
                   {{"stisvc", {{"state", "stopped"}, {"startType", "disabled"}, {"displayName", "Windows 图像采集"}}},
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

QByteArray header(const QString& device = kDevice, const QString& pc = kPc,
                  const QString& started = QStringLiteral("2026-12-09T01:30:00"))
{
    return line({{"format", "tidewell-changes"},
                 {"version", 1},
                 {"device", device},
                 {"machine", pc},
                 {"run", "phase1"},
                 {"started", started}});
}

QByteArray registryLine(const char* kind, const QString& hive, const QString& key, const QString& name,
                        const QJsonValue& prior, const QJsonObject& to = {})
{
    QJsonObject change{{"kind", kind}, {"hive", hive}, {"view", "native64"}, {"key", key}, {"value", name}};
    change.insert("prior", prior);
    if (!to.isEmpty())
        change.insert("to", to);
    return line(change);
}

QJsonObject sz(const QString& text)
{
    return {{"type", 1},
            {"data", QString::fromLatin1(
                         QByteArray(reinterpret_cast<const char*>(text.utf16()), (text.size() + 1) * 2).toHex())}};
}

// A policy Run value of `hive` moved to the backup key, as phase 2 records it.
QByteArray policyMove(const QString& hive, const QString& name, const QString& command)
{
    const QJsonObject copy{{"hive", "HKLM"}, {"view", "native64"}, {"key", kBackup + hive}, {"value", name}};
    return registryLine("registry", "HKLM", kBackup + hive, name, QJsonValue()) + "\n" +
           registryLine("moved", hive, kPolicyRun, name, sz(command), copy);
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
    record.stamp = QStringLiteral("20261209_013000");
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
        const QString menu = QStringLiteral("菜单显示延迟：已恢复");
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
            << service("serviceStart", 2) << QStringList{QStringLiteral("服务 Windows 图像采集：已恢复")};
        QTest::addRow("a service the program never disables")
            << line({{"kind", "serviceStart"}, {"service", "wuauserv"}, {"prior", 4}}) << QStringList{kIgnoredOne};
        QTest::addRow("a boot start type") << service("serviceStart", 0) << QStringList{kIgnoredOne};
        QTest::addRow("the program's task")
            << task(kAppraiser, true) << QStringList{QStringLiteral("计划任务 ProgramDataUpdater：已恢复")};
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
        QTest::addRow("a Run command appended to a record")
            << registryLine("registry", "HKLM", kRun, "Planted", sz("c:\\evil.exe")) << QStringList{kIgnoredOne};
        QTest::addRow("a policy command without the program's copy")
            << policyMove("HKCU", "Planted", "c:\\evil.exe")
            << QStringList{QStringLiteral("开机自启项 Planted：恢复失败（本程序保存的副本已不在或已改变，未写入）")};
        QTest::addRow("a move whose original cannot be written keeps the copy")
            << policyMove("HKLM", "Locked", "c:\\locked.exe")
            << QStringList{QStringLiteral("开机自启项 Locked：恢复失败（错误 5）")};
        QTest::addRow("a move the program never makes")
            << registryLine("moved", "HKLM", kRun, "Locked", sz("c:\\locked.exe"),
                            {{"hive", "HKLM"}, {"view", "native64"}, {"key", kBackup + "HKLM"}, {"value", "Locked"}})
            << QStringList{kIgnoredOne};
        QTest::addRow("a move recorded in two lines by the first version")
            << registryLine("registry", "HKLM", kBackup + "HKCU", "Kept", QJsonValue()) + "\n" +
                   registryLine("registry", "HKCU", kPolicyRun, "Kept", sz("c:\\kept.exe"))
            << QStringList{QStringLiteral("开机自启项 Kept：已恢复")};
        const QString approved =
            QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run");
        const QString longName(2000, QLatin1Char('n'));
        QTest::addRow("approvals of unexpected types and a long name")
            << registryLine("registry", "HKCU", approved, longName, sz("on")) + "\n" +
                   registryLine("registry", "HKCU", approved, "Dword", QJsonObject{{"type", 4}, {"data", "02000000"}})
            << QStringList{QStringLiteral("开机自启项 Dword：已恢复"),
                           QStringLiteral("开机自启项 %1：已恢复").arg(longName)};
        QTest::addRow("settings beyond what Windows offers")
            << line({{"kind", "setting"}, {"setting", "bootTimeout"}, {"target", "{bootmgr}"}, {"prior", "1000"}}) +
                   "\n" +
                   line({{"kind", "setting"}, {"setting", "eventLogSize"}, {"target", "System"}, {"prior", "1048577"}})
            << QStringList{QStringLiteral("记录中有 2 项不属于本程序会做的更改，已忽略")};
        QTest::addRow("a stopped service starts after its start type is back")
            << service("serviceStart", 3) + "\n" + service("serviceStopped")
            << QStringList{QStringLiteral("服务 Windows 图像采集：已恢复")};
        QTest::addRow("each setting once, however many changes it took")
            << line({{"kind", "registryKey"}, {"hive", "HKLM"}, {"view", "native64"}, {"key", kTelemetryKey}}) + "\n" +
                   registryLine("registry", "HKLM", kTelemetryKey, "AllowTelemetry", QJsonValue()) + "\n" +
                   service("serviceStart", 3) + "\n" + service("serviceStopped")
            << QStringList{QStringLiteral("遥测数据收集：已恢复"), QStringLiteral("服务 Windows 图像采集：已恢复")};
    }

    void testRestore()
    {
        QFETCH(QByteArray, changes);
        QFETCH(QStringList, lines);
        TestMachine machine(afterRun());
        const ChangeRecord record = recordOf(changes);
        QCOMPARE(ChangeRestorer(machine.platform()).restore(record, kDevice, kPc).lines, lines);
        machine.reopen();
        for (const char* key : kUntouched)
            QCOMPARE(machine.machine().document()["registry"][key], afterRun()["registry"][key]);
    }

    void testSecondRestoreChangesNothing()
    {
        TestMachine machine(afterRun());
        const ChangeRecord record =
            recordOf(service("serviceStart", 3) + "\n" + service("serviceStopped") + "\n" + task(kAppraiser, true));
        ChangeRestorer(machine.platform()).restore(record, kDevice, kPc);
        const int journalled = machine.journal().size();
        const auto second = ChangeRestorer(machine.platform()).restore(record, kDevice, kPc);
        QCOMPARE(second.alreadySo, 2);
        QCOMPARE(second.restored + second.failed, 0);
        for (const QString& line : machine.journal().mid(journalled))
            QVERIFY2(!line.contains(QLatin1String("->")) && !line.contains(QLatin1String(" = ")), qPrintable(line));
    }

    // Phase 2 moves policy Run values to the backup key and brings an older version's ".optimizer_bak"
    // values back under their names; undoing its record leaves the registry exactly as it was.
    void testMovedValueComesBackWhole_data()
    {
        QTest::addColumn<bool>("policy");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("data");
        const QString text(20000, QLatin1Char('x'));
        const QByteArray longText(reinterpret_cast<const char*>(text.utf16()), (text.size() + 1) * 2);
        QTest::addRow("binary") << true << "Bin" << 3 << QByteArray("\x00\x01\xff\x7f", 4);
        QTest::addRow("multi-string") << true << "Multi" << 7 << QByteArray("a\0\0\0b\0\0\0\0\0", 10);
        QTest::addRow("dword") << true << "Dword" << 4 << QByteArray("\x2a\0\0\0", 4);
        QTest::addRow("20,000-character string") << true << "Long" << 1 << longText;
        QTest::addRow("600-character name") << true << QString(600, QLatin1Char('n')) << 2 << QByteArray("c\0\0\0", 4);
        QTest::addRow("40 KB .optimizer_bak value") << false << "Old" << 1 << longText.left(40960) + QByteArray(2, 0);
        QTest::addRow("2,000-character .optimizer_bak name")
            << false << QString(2000, QLatin1Char('s')) << 1 << QByteArray("c\0\0\0", 4);
    }

    void testMovedValueComesBackWhole()
    {
        QFETCH(bool, policy);
        QFETCH(QString, name);
        QFETCH(int, type);
        QFETCH(QByteArray, data);
        TestMachine machine(afterRun());
        const Hive hive = policy ? Hive::CurrentUser : Hive::LocalMachine;
        std::unique_ptr<RegistryKey> key;
        machine.platform().registry.createKey(hive, toWString(policy ? kPolicyRun : kRun), RegAccess::ReadWrite,
                                              RegView::Native64, key);
        key->setValue(toWString(policy ? name : name + QStringLiteral(".optimizer_bak")),
                      RegValue{static_cast<RegType>(type), {data.begin(), data.end()}});
        key.reset();
        machine.reopen();
        const nlohmann::json before = machine.machine().document()["registry"];
        QTemporaryDir folder;
        {
            ChangeRecordWriter writer(folder.path(), {kDevice, kPc, "phase2", QDateTime::currentDateTime()});
            RecordingPlatform recording(machine.platform(), writer);
            if (policy)
                PolicyRunBackup(recording.platform()).disable(name);
            else
                StartupManager(recording.platform()).scan();
        }
        ChangeRecord record;
        QString problem;
        QVERIFY(
            ChangeRecord::read(QDir(folder.path()).entryInfoList(QDir::Files).value(0).filePath(), record, problem));
        const auto summary = ChangeRestorer(machine.platform()).restore(record, kDevice, kPc);
        QVERIFY(summary.restored > 0);
        QCOMPARE(summary.failed + summary.ignored, 0);
        machine.reopen();
        QCOMPARE(machine.machine().document()["registry"], before);
    }

    void testFalseTimesAreRefused_data()
    {
        QTest::addColumn<QString>("started");
        QTest::addColumn<QString>("stamp");
        const QDateTime tomorrow = QDateTime::currentDateTime().addDays(1);
        QTest::addRow("a header later than the file name") << "2026-12-10T01:30:00"
                                                           << "20261209_013000";
        QTest::addRow("a time in the future")
            << tomorrow.toString(Qt::ISODate) << tomorrow.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    }

    void testFalseTimesAreRefused()
    {
        QFETCH(QString, started);
        QFETCH(QString, stamp);
        TestMachine machine(afterRun());
        ChangeRecord record = recordOf(service("serviceStart", 2), header(kDevice, kPc, started));
        record.stamp = stamp;
        const auto summary = ChangeRestorer(machine.platform()).restore(record, kDevice, kPc);
        QVERIFY(summary.refused);
        QCOMPARE(machine.machine().document()["services"]["stisvc"]["startType"], "disabled");
    }

    // A stick used on many PCs: this PC's record is found however many other PCs' come after it.
    void testThisPcsRecordAmongManyOthers()
    {
        QTemporaryDir folder;
        for (int i = 0; i < 600; ++i) {
            ChangeRecord::Header other{kDevice, QStringLiteral("pc-%1").arg(i), "phase1",
                                       QDateTime(QDate(2026, 12, 9), QTime(2, 0, 0)).addSecs(i)};
            QFile file(ChangeRecordFolder::newRecordPath(folder.path(), other));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(line(other.toJson()) + "\n");
        }
        QFile own(QDir(folder.path()).filePath(QStringLiteral("changes_0123456789abcdef_20261209_013000.jsonl")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write(header() + "\n" + task(kAppraiser, true) + "\n");
        own.close();
        const auto found = ChangeRecordFolder::records(folder.path(), kDevice, kPc);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().changeLines, 1);
        QVERIFY(ChangeRecordFolder::records(folder.path(), kDevice, QString()).isEmpty());
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
        QTest::addRow("a later version") << header().replace(
            "\"version\":1", "\"version\":" + QByteArray::number(ChangeRecord::kVersion + 1));
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
