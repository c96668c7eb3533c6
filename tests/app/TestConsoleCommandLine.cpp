#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// tidewell-console runs phase 1 on this build's machine: here the simulated PC that TIDEWELL_MACHINE
// names, on Windows the real one. Its output and exit codes are those of tidewell-sim.
class TestConsoleCommandLine : public QObject {
    Q_OBJECT

private:
    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };

    static Run run(const QStringList& arguments, const QString& machine)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TIDEWELL_MACHINE"), machine);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TIDEWELL_CONSOLE_PATH), arguments);
        process.waitForFinished(120000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    static void writeMachine(const QString& folder, const QByteArray& json)
    {
        QFile file(folder + QStringLiteral("/machine.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(json);
    }

private slots:
    void testBadCommandLineExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("unknown option") << QStringList{QStringLiteral("--frobnicate")};
        QTest::addRow("the simulator's machine option")
            << QStringList{QStringLiteral("--machine"), QStringLiteral("x")};
        QTest::addRow("stray argument") << QStringList{QStringLiteral("extra")};
        QTest::addRow("report without file") << QStringList{QStringLiteral("--report")};
        QTest::addRow("keep 6") << QStringList{"--phase2", "H2", "--h2-keep", "6"};
        QTest::addRow("size 300") << QStringList{"--phase2", "A2", "--a2-size", "300"};
        QTest::addRow("empty id list") << QStringList{"--phase2", ","};
        QTest::addRow("undo with phase 2") << QStringList{"--undo", "--phase2", "C13"};
    }

    void testBadCommandLineExitsWithTwo()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir machine;
        const Run result = run(arguments, machine.path());
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains(QStringLiteral("usage: tidewell-console [--log-dir DIR] [--report FILE]")));
        QVERIFY(!QFile::exists(machine.path() + QStringLiteral("/machine.json")));
    }

    void testUnreadableMachineExitsWithTwo()
    {
        QTemporaryDir machine;
        writeMachine(machine.path(), "{\"registry\": ");
        const Run result = run({QStringLiteral("--log-dir"), machine.path() + QStringLiteral("/logs")}, machine.path());
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.startsWith(QStringLiteral("tidewell-console: cannot open the machine")));
        QVERIFY(!QDir(machine.path() + QStringLiteral("/logs")).exists());
    }

    void testRefusedRunExitsWithThree()
    {
        QTemporaryDir machine;
        writeMachine(machine.path(), R"({"system": {"version": {"major": 6, "minor": 0, "build": 6002}}})");
        QDir().mkpath(machine.path() + QStringLiteral("/drives/C"));
        const Run result = run({QStringLiteral("--log-dir"), machine.path() + QStringLiteral("/logs")}, machine.path());
        QCOMPARE(result.exitCode, 3);
        QVERIFY(result.out.contains(QStringLiteral("refused: 当前系统版本不支持（需Windows 7 SP1及以上）。")));
    }

    void testFinishedRunPrintsProgressLogAndReport()
    {
        QTemporaryDir machine;
        QTemporaryDir logs;
        const QString report = logs.path() + QStringLiteral("/report.json");
        const Run result =
            run({QStringLiteral("--log-dir"), logs.path(), QStringLiteral("--report"), report}, machine.path());
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.startsWith(QStringLiteral("progress 0 0% 正在检查系统环境...\n")));
        QVERIFY(result.out.contains(QStringLiteral("progress 6 100% 优化完成！\n")));
        QVERIFY(result.out.contains(QStringLiteral("report: ") + report + QLatin1Char('\n')));
        QVERIFY(result.out.contains(QStringLiteral("\n--- run log ") + logs.path() + QStringLiteral("/log_")));
        QVERIFY(result.out.contains(QStringLiteral("系统优化工具日志\n")));
        QVERIFY(result.out.contains(QStringLiteral("Phase1 完成汇总")));
        QVERIFY(!result.out.contains(QStringLiteral("--- journal")));
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QJsonDocument::fromJson(file.readAll()).object().contains(QStringLiteral("startupItems")));
        QVERIFY(QFile::exists(machine.path() + QStringLiteral("/machine.json")));
    }

    void testNotAdministratorExitsWithFourBeforeAnyRun()
    {
        QTemporaryDir machine;
        writeMachine(machine.path(), R"({"security": {"administrator": false}})");
        const Run result = run({"--log-dir", machine.path() + "/logs", "--phase2", "C13", "--json"}, machine.path());
        QCOMPARE(result.exitCode, 4);
        QCOMPARE(result.out, QStringLiteral("{\"exitCode\":4}\n"));
        QVERIFY(!QDir(machine.path() + QStringLiteral("/logs")).exists());
    }

    void testPhase2JsonReportsEachItemAndUndoPutsItBack()
    {
        QTemporaryDir machine;
        const QString logs = machine.path() + QStringLiteral("/logs");
        const Run result = run({"--log-dir", logs, "--phase2", "C13,C10", "--json"}, machine.path());
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.out.endsWith(QLatin1Char('\n')) && result.out.count(QLatin1Char('\n')) == 1);
        QVERIFY(!result.out.contains(QRegularExpression(QStringLiteral("[^\\x00-\\x7f]"))));
        const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8()).object();
        QCOMPARE(json.value("exitCode").toInt(), 1);
        QCOMPARE(json.value("phase1").toObject().value("outcome").toString(), QStringLiteral("finished"));
        const QJsonArray items = json.value("phase2").toObject().value("items").toArray();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0].toObject().value("outcome").toString(), QStringLiteral("changed"));
        QCOMPARE(items[0].toObject().value("line").toString(), QStringLiteral("分布式链接追踪（TrkWks）：已设为手动启动"));
        QCOMPARE(items[1].toObject().value("id").toString(), QStringLiteral("C10"));
        QCOMPARE(items[1].toObject().value("outcome").toString(), QStringLiteral("failed"));
        const QString stamp = json.value("phase2").toObject().value("changeRecord").toObject().value("stamp").toString();
        QVERIFY(!stamp.isEmpty());

        const Run undo = run({"--log-dir", logs, "--undo", stamp, "--json"}, machine.path());
        QCOMPARE(undo.exitCode, 0);
        const QJsonObject undone = QJsonDocument::fromJson(undo.out.toUtf8()).object().value("undo").toObject();
        QCOMPARE(undone.value("restored").toInt(), 1);
        QCOMPARE(undone.value("lines").toArray().size(), 1);
    }

    void testUnwritableReportExitsWithTwoAfterTheRun()
    {
        QTemporaryDir machine;
        QTemporaryDir logs;
        const QString report = logs.path() + QStringLiteral("/missing/report.json");
        const Run result =
            run({QStringLiteral("--log-dir"), logs.path(), QStringLiteral("--report"), report}, machine.path());
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains(QStringLiteral("tidewell-console: cannot write the report ") + report));
        QVERIFY(result.out.contains(QStringLiteral("Phase1 完成汇总")));
    }
};

QTEST_GUILESS_MAIN(TestConsoleCommandLine)
#include "TestConsoleCommandLine.moc"
