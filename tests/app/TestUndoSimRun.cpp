#include "engine/undo/ChangeRecordFolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Undo on the embedded default machine with tidewell-sim: after phase 1 and every phase-2 item, undoing both
// runs gives back the machine's settings as they were, and undoing them again changes nothing.
class TestUndoSimRun : public QObject
{
    Q_OBJECT

private:
    struct Run {
        int exitCode = -1;
        QString out;
    };

    Run run(const QStringList& extra)
    {
        QProcess process;
        process.start(QStringLiteral(TIDEWELL_SIM_PATH),
                      QStringList{QStringLiteral("--machine"), folder_.filePath(QStringLiteral("m")),
                                  QStringLiteral("--log-dir"), folder_.filePath(QStringLiteral("app/logs"))} +
                          extra);
        process.waitForFinished(240000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
    }

    // What undo puts back: the registry, start types and states of services, tasks, boot, power, network and
    // event-log settings. Process ids are left out: a service started again runs in a new process.
    QJsonObject settings()
    {
        QFile file(folder_.filePath(QStringLiteral("m/machine.json")));
        file.open(QIODevice::ReadOnly);
        const QJsonObject machine = QJsonDocument::fromJson(file.readAll()).object();
        QJsonObject kept;
        for (const char* section :
             {"registry", "tasks", "boot", "powerSchemes", "hibernation", "tcpGlobal", "eventLogs"})
            kept.insert(QLatin1String(section), machine.value(QLatin1String(section)));
        QJsonObject services;
        const QJsonObject all = machine.value(QStringLiteral("services")).toObject();
        for (auto it = all.begin(); it != all.end(); ++it)
            services.insert(it.key(), QJsonArray{it->toObject().value(QStringLiteral("startType")),
                                                 it->toObject().value(QStringLiteral("state"))});
        kept.insert(QStringLiteral("services"), services);
        return kept;
    }

    // Sets a console tool's behaviour in machine.json; an empty one removes the override.
    void setTool(const char* tool, const QString& behaviour)
    {
        QFile file(folder_.filePath(QStringLiteral("m/machine.json")));
        file.open(QIODevice::ReadWrite);
        QJsonObject machine = QJsonDocument::fromJson(file.readAll()).object();
        QJsonObject tools = machine.value(QStringLiteral("tools")).toObject();
        if (behaviour.isEmpty())
            tools.remove(QLatin1String(tool));
        else
            tools.insert(QLatin1String(tool), behaviour);
        machine.insert(QStringLiteral("tools"), tools);
        file.resize(0);
        file.write(QJsonDocument(machine).toJson());
    }

    QStringList stampsNewestFirst()
    {
        QStringList stamps;
        const QStringList files = QDir(folder_.filePath(QStringLiteral("app/changes")))
                                      .entryList({QStringLiteral("changes_*.jsonl")}, QDir::Files, QDir::Name);
        for (const QString& file : files)
            stamps.prepend(file.section(QLatin1Char('_'), 2).chopped(6));
        return stamps;
    }

    static QStringList resultLines(const QString& out)
    {
        QStringList lines;
        for (const QString& line : out.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("undo ")))
                lines.append(line.mid(5));
        }
        return lines;
    }

    QTemporaryDir folder_;

private slots:
    void testWholeRunIsUndone()
    {
        QCOMPARE(run({QStringLiteral("--undo")}).exitCode, 2);
        const QJsonObject before = settings();
        const Run optimised = run({QStringLiteral("--phase2"),
                                   QStringLiteral("C13,C10,C11,C14,C8,C1,C12,C9,F3,A2,E1,H3,H2,ST:2:Baidu Netdisk,"
                                                  "ST:2:xnbz,ST:3:KuaiZipUpdate,ST:5:2345SafeCenter,ST:6:FlashCenter,"
                                                  "ST:10:鲁大师,ST:11:4399GameBox,ST:12:FlashHelperTask,RES:adw-001,"
                                                  "RES:pup-005,RES:adw-006,RES:pup-003"),
                                   QStringLiteral("--a2-size"), QStringLiteral("128")});
        QCOMPARE(optimised.exitCode, 0);
        QVERIFY(settings() != before);
        const QStringList stamps = stampsNewestFirst();
        QCOMPARE(stamps.size(), 2);

        for (const QString& stamp : stamps) {
            const Run undone = run({QStringLiteral("--undo"), stamp});
            QCOMPARE(undone.exitCode, 0);
            QVERIFY(resultLines(undone.out).size() > 5);
            for (const QString& line : resultLines(undone.out))
                QVERIFY2(line.endsWith(QStringLiteral("：已恢复")) || line.endsWith(QStringLiteral("：已是原状")),
                         qPrintable(line));
            const QFileInfo record = QDir(folder_.filePath(QStringLiteral("app/changes")))
                                         .entryInfoList({QStringLiteral("changes_*_%1.jsonl").arg(stamp)})
                                         .value(0);
            QVERIFY(ChangeRecordFolder::restoredAt(record.filePath()).isValid());
        }
        QCOMPARE(settings(), before);

        for (const QString& stamp : stamps) {
            const Run again = run({QStringLiteral("--undo"), stamp});
            QCOMPARE(again.exitCode, 0);
            const QStringList lines = resultLines(again.out);
            QVERIFY(!lines.isEmpty());
            for (const QString& line : lines)
                QVERIFY2(line.endsWith(QStringLiteral("：已是原状")), qPrintable(line));
        }
        QCOMPARE(settings(), before);
        QVERIFY(run({QStringLiteral("--undo")}).out.contains(QStringLiteral("undo: ")));
    }

    // The PC goes dark during the event-log item: what phase 2 changed before stays changed, as on a real
    // PC, and undo of both records still gives every setting back.
    void testRunKilledHalfWayIsUndone()
    {
        QDir(folder_.filePath(QStringLiteral("m"))).removeRecursively();
        QDir(folder_.filePath(QStringLiteral("app"))).removeRecursively();
        QCOMPARE(run({QStringLiteral("--undo")}).exitCode, 2);
        const QJsonObject before = settings();
        setTool("wevtutil", QStringLiteral("powerLoss"));
        const Run killed = run({QStringLiteral("--phase2"), QStringLiteral("C13,C9,F3,E1,ST:6:FlashCenter,A2,C1,H2")});
        QCOMPARE(killed.exitCode, 137);
        QVERIFY(killed.out.contains(QStringLiteral("phase2 50% 正在执行：")));
        setTool("wevtutil", QString());
        // Opening the machine again, as the next start of the PC does, shows what the killed run changed.
        QCOMPARE(run({QStringLiteral("--undo"), QStringLiteral("19990101_000000")}).exitCode, 2);
        QVERIFY(settings() != before);

        const QStringList stamps = stampsNewestFirst();
        QCOMPARE(stamps.size(), 2);
        for (const QString& stamp : stamps)
            QCOMPARE(run({QStringLiteral("--undo"), stamp}).exitCode, 0);
        QCOMPARE(settings(), before);
    }

    void testUnknownStampChangesNothing()
    {
        const Run result = run({QStringLiteral("--undo"), QStringLiteral("19990101_000000")});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(!result.out.contains(QStringLiteral("undo ")));
    }

    // Two PCs without a readable MachineGuid could not tell their records apart: no run records anything
    // there, and undo refuses.
    void testNoMachineGuidNoRecord()
    {
        QFile file(folder_.filePath(QStringLiteral("m/machine.json")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QJsonObject machine = QJsonDocument::fromJson(file.readAll()).object();
        QJsonObject registry = machine.value(QStringLiteral("registry")).toObject();
        registry.remove(QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Cryptography"));
        machine.insert(QStringLiteral("registry"), registry);
        file.resize(0);
        file.write(QJsonDocument(machine).toJson());
        file.close();
        const int records = stampsNewestFirst().size();
        QCOMPARE(run({}).exitCode, 0);
        QCOMPARE(stampsNewestFirst().size(), records);
        QCOMPARE(run({QStringLiteral("--undo")}).exitCode, 3);
    }
};

QTEST_GUILESS_MAIN(TestUndoSimRun)
#include "TestUndoSimRun.moc"
