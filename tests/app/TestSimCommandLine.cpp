#include "support/TempStick.h"

#include <nlohmann/json.hpp>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The command line of tidewell-sim is a contract that acceptance tests and benchmarks rely on.
class TestSimCommandLine : public QObject {
    Q_OBJECT

private:
    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };

    static Run run(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(TIDEWELL_SIM_PATH), arguments);
        process.waitForFinished(120000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A machine written by hand: no drives yet, the files as a recipe, one entry of each list section.
    static nlohmann::json handWrittenMachine()
    {
        return nlohmann::json::parse(R"({
          "system": {"systemDirectory": "C:\\Windows\\system32",
                     "version": {"major": 10, "minor": 0, "build": 19045, "servicePack": 0}},
          "registry": {"HKLM\\SOFTWARE\\Tidewell": {"Level": 1}},
          "services": {"wuauserv": {"state": "running", "startType": "manual", "pid": 1544}},
          "processes": [{"pid": 5012, "name": "chrome.exe", "workingSet": 367001600}],
          "windows": [{"pid": 5012, "className": "Chrome_WidgetWin_1", "title": "Chrome"}],
          "tasks": [{"path": "\\Microsoft\\Windows\\Customer Experience Improvement Program\\Consolidator",
                     "triggers": [2]}],
          "disks": {"C:": {"totalGB": 237.5, "freeGB": 30, "seekPenalty": false}},
          "boot": {"timeout": 30, "entries": {"{current}": {"description": "Windows 10"}}},
          "files": [{"path": "C:\\Windows\\Temp\\old.log", "size": 4096, "ageHours": 72},
                    {"path": "C:\\Users\\Ann\\Documents\\keep.txt", "content": "mine"}]
        })");
    }

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    static void writeMachine(const QString& folder, const nlohmann::json& machine)
    {
        QFile file(folder + QStringLiteral("/machine.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(machine.dump(2)));
    }

    static Run runMachine(const QString& folder)
    {
        return run({QStringLiteral("--machine"), folder, QStringLiteral("--log-dir"),
                    folder + QStringLiteral("/logs")});
    }

private slots:
    void testBadCommandLineExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("unknown option") << QStringList{QStringLiteral("--frobnicate")};
        QTest::addRow("stray argument") << QStringList{QStringLiteral("extra")};
        QTest::addRow("option without value") << QStringList{QStringLiteral("--machine")};
        QTest::addRow("program folder off the simulated PC")
            << QStringList{QStringLiteral("--program-dir"), QStringLiteral("/media/stick/Tidewell/app")};
    }

    void testBadCommandLineExitsWithTwo()
    {
        QFETCH(QStringList, arguments);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains(QStringLiteral("usage: tidewell-sim")));
    }

    void testUnreadableMachineExitsWithTwoAndChangesNothing()
    {
        QTemporaryDir machine;
        QFile file(machine.path() + QStringLiteral("/machine.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"registry\": ");
        file.close();
        const Run result = run({QStringLiteral("--machine"), machine.path(), QStringLiteral("--log-dir"), machine.path() + QStringLiteral("/logs")});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains(QStringLiteral("cannot open the machine")));
        QCOMPARE(read(machine.path() + QStringLiteral("/machine.json")), QByteArray("{\"registry\": "));
        QVERIFY(!QDir(machine.path() + QStringLiteral("/logs")).exists());
    }

    void testMemberOfTheWrongTypeExitsWithTwoAndChangesNothing_data()
    {
        QTest::addColumn<QString>("pointer");
        QTest::addColumn<QString>("value");
        const char* const rows[][2] = {
            {"/system", "[]"},
            {"/system/version/major", "\"10\""},
            {"/system/systemDirectory", "5"},
            {"/registry", "[]"},
            {"/registry/HKLM\\SOFTWARE\\Tidewell", "\"text\""},
            {"/registry/HKLM\\SOFTWARE\\Tidewell/Level", "{\"dword\": \"x\"}"},
            {"/registry/HKLM\\SOFTWARE\\Tidewell/@denied", "\"yes\""},
            {"/services/wuauserv", "\"running\""},
            {"/services/wuauserv/pid", "\"1544\""},
            {"/processes", "{}"},
            {"/processes/0/workingSet", "\"350M\""},
            {"/processes/0/protected", "1"},
            {"/windows/0/visible", "\"no\""},
            {"/tasks/0/enabled", "\"false\""},
            {"/tasks/0/triggers", "8"},
            {"/memory/availPhys", "-1"},
            {"/power/fails", "\"yes\""},
            {"/disks/C:/freeGB", "\"30\""},
            {"/disks/C:/seekPenalty", "0"},
            {"/hibernation/fullSize", "\"3G\""},
            {"/boot/entries/{current}", "\"Windows 10\""},
            {"/tools/defrag", "5"},
            {"/environment/TEMP", "5"},
            {"/security/administrator", "\"no\""},
            {"/fileFlags/C:\\Temp\\a.tmp", "\"hidden\""},
            {"/files", "{}"},
            {"/files/0/size", "\"4096\""},
            {"/files/1/folder", "\"yes\""},
            {"/wmi/Win32_Processor", "{}"},
            {"/shell/shortcuts", "[]"},
            {"/processSnapshotFails", "\"yes\""},
        };
        for (const auto& [pointer, value] : rows)
            QTest::addRow("%s", pointer) << QString::fromUtf8(pointer) << QString::fromUtf8(value);
    }

    void testMemberOfTheWrongTypeExitsWithTwoAndChangesNothing()
    {
        QFETCH(QString, pointer);
        QFETCH(QString, value);
        nlohmann::json machine = handWrittenMachine();
        machine[nlohmann::json::json_pointer(pointer.toStdString())] = nlohmann::json::parse(value.toStdString());
        QTemporaryDir folder;
        writeMachine(folder.path(), machine);
        const QByteArray written = read(folder.path() + QStringLiteral("/machine.json"));

        const Run result = runMachine(folder.path());
        QCOMPARE(result.exitCode, 2);
        const QString member = QStringLiteral("/machine.json: member \"%1\" must be ").arg(pointer);
        QVERIFY2(result.err.contains(folder.path() + member), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
        QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("machine.json")});
        QCOMPARE(read(folder.path() + QStringLiteral("/machine.json")), written);
    }

    void testHandWrittenRecipeIsBuiltThenRun()
    {
        QTemporaryDir folder;
        writeMachine(folder.path(), handWrittenMachine());
        const Run result = runMachine(folder.path());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(read(folder.path() + QStringLiteral("/drives/C/Users/Ann/Documents/keep.txt")), QByteArray("mine"));
        QVERIFY2(result.out.contains(QStringLiteral("\ndelete C:\\Windows\\Temp\\old.log\n")), qPrintable(result.out));
        QVERIFY(!QFile::exists(folder.path() + QStringLiteral("/drives/C/Windows/Temp/old.log")));
        const QByteArray saved = read(folder.path() + QStringLiteral("/machine.json"));
        QVERIFY(!nlohmann::json::parse(saved.toStdString()).contains("files"));
    }

    void testPhase2IdIsTakenAsGiven()
    {
        QTemporaryDir folder;
        writeMachine(folder.path(), handWrittenMachine());
        const Run result = run({QStringLiteral("--machine"), folder.path(), QStringLiteral("--log-dir"),
                                folder.path() + QStringLiteral("/logs"), QStringLiteral("--phase2"), QStringLiteral(" C13")});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains(QStringLiteral("\n C13：未知服务项\n")), qPrintable(result.out));
    }

    void testRecipeEntryWithoutADriveIsRefused_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("path");
        QTest::addRow("relative path") << QStringLiteral("path") << QStringLiteral("Windows\\Temp\\x.log");
        QTest::addRow("no path") << QStringLiteral("path") << QString();
        QTest::addRow("link to a relative path") << QStringLiteral("linkTo") << QStringLiteral("..\\..\\..");
    }

    void testRecipeEntryWithoutADriveIsRefused()
    {
        QFETCH(QString, member);
        QFETCH(QString, path);
        nlohmann::json machine = handWrittenMachine();
        machine["files"][1] = {{"path", "C:\\Users\\Ann\\Link"}};
        if (!path.isEmpty())
            machine["files"][1][member.toStdString()] = path.toStdString();
        else
            machine["files"][1].erase(member.toStdString());
        QTemporaryDir folder;
        writeMachine(folder.path(), machine);
        const Run result = runMachine(folder.path());
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(QStringLiteral("/machine.json: member \"/files/1/") + member + QLatin1Char('"')),
                 qPrintable(result.err));
        QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("machine.json")});
    }

    void testRefusedRunExitsWithThree()
    {
        QTemporaryDir machine;
        QFile file(machine.path() + QStringLiteral("/machine.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"system": {"version": {"major": 6, "minor": 0, "build": 6002}}})");
        file.close();
        QDir().mkpath(machine.path() + QStringLiteral("/drives/C"));
        const Run result = run({QStringLiteral("--machine"), machine.path(), QStringLiteral("--log-dir"), machine.path() + QStringLiteral("/logs")});
        QCOMPARE(result.exitCode, 3);
        QVERIFY(result.out.contains(QStringLiteral("refused: 当前系统版本不支持（需Windows 7 SP1及以上）。")));
        QVERIFY(!result.out.contains(QStringLiteral("Phase1 完成汇总")));
    }

    void testEmptyFolderRunsTheDefaultMachine()
    {
        QTemporaryDir machine;
        QTemporaryDir logs;
        const Run result = run({QStringLiteral("--machine"), machine.path(), QStringLiteral("--log-dir"), logs.path()});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(QFile::exists(machine.path() + QStringLiteral("/machine.json")));
        QVERIFY(result.out.startsWith(QStringLiteral("progress 0 0% 正在检查系统环境...\n")));
        QVERIFY(result.out.contains(QStringLiteral("progress 6 100% 优化完成！\n")));
        QVERIFY(result.out.contains(QStringLiteral("Phase1 完成汇总")));
        QVERIFY(result.out.contains(QStringLiteral("--- journal\n")));
        const QStringList logFiles = QDir(logs.path()).entryList({QStringLiteral("log_*.txt")}, QDir::Files);
        QCOMPARE(logFiles.size(), 1);
        const QByteArray log = read(logs.path() + QLatin1Char('/') + logFiles.first());
        QVERIFY(log.startsWith("\xEF\xBB\xBF========================================\n"));
        QVERIFY(log.contains(QStringLiteral("系统版本: Win10 (Build 19045)\n").toUtf8()));
    }

    void testWithoutMachineAFreshOneIsMadeAndNamed()
    {
        QTemporaryDir logs;
        const Run result = run({QStringLiteral("--log-dir"), logs.path()});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.startsWith(QStringLiteral("machine: ")));
        const QString folder = result.out.section(QLatin1Char('\n'), 0, 0).mid(9);
        QVERIFY(QFile::exists(folder + QStringLiteral("/machine.json")));
        QDir(folder).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestSimCommandLine)
#include "TestSimCommandLine.moc"
