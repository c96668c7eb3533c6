#include "support/TempStick.h"

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

private slots:
    void testBadCommandLineExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("unknown option") << QStringList{QStringLiteral("--frobnicate")};
        QTest::addRow("stray argument") << QStringList{QStringLiteral("extra")};
        QTest::addRow("option without value") << QStringList{QStringLiteral("--machine")};
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
