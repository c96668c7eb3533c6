#include "analysis/ReportJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The report as JSON: every member of the bundle and its records under the member's own name, and the
// report tidewell-sim writes for the default machine.
class TestReportJson : public QObject {
    Q_OBJECT

private:
    static QStringList sortedKeys(const QJsonObject& object)
    {
        QStringList keys = object.keys();
        keys.sort();
        return keys;
    }

    static QStringList sorted(QStringList names)
    {
        names.sort();
        return names;
    }

    static ScanReportBundle sample()
    {
        ScanReportBundle report;
        StartupScanItem item;
        item.name = QStringLiteral("n");
        item.command = QStringLiteral("\"C:\\a.exe\"");
        item.source = QStringLiteral("HKLM Run");
        item.sourceType = 1;
        item.score = 60;
        item.riskLevel = 1;
        item.canDisable = true;
        item.riskLabel = QStringLiteral("🟡 可疑");
        report.startupItems.append(item);
        JunkSoftwareHit hit;
        hit.id = QStringLiteral("adw-1");
        hit.evidencePaths = QStringList{QStringLiteral("C:\\x"), QStringLiteral("C:\\y")};
        report.junkSoftware.append(hit);
        report.browserItems.append({QStringLiteral("Chrome"), QStringLiteral("首页"), QStringLiteral("v"), QStringLiteral("e"), true, QStringLiteral("n")});
        report.popupWindows.append({QStringLiteral("p.exe"), QStringLiteral("t"), 7, false, true, QStringLiteral("r")});
        report.conflicts.append({QStringLiteral("pup"), QStringLiteral("t"), QStringLiteral("d"), QStringLiteral("s")});
        report.fastStartupEnabled = true;
        report.restoreAdvice = QStringLiteral("保持系统还原");
        report.storageFreedMB = 12;
        report.uninstallResidueCount = 3;
        return report;
    }

private slots:
    void testEveryMemberIsWritten()
    {
        const QJsonObject json = ReportJson::toJson(sample());
        QCOMPARE(sortedKeys(json),
                 sorted({QStringLiteral("startupItems"), QStringLiteral("junkSoftware"), QStringLiteral("browserItems"),
                         QStringLiteral("popupWindows"), QStringLiteral("conflicts"), QStringLiteral("fastStartupEnabled"),
                         QStringLiteral("keepHibernation"), QStringLiteral("hibernationTurnedOff"),
                         QStringLiteral("fastStartupReason"), QStringLiteral("hibernationReason"),
                         QStringLiteral("pagefileAdvice"), QStringLiteral("restoreAdvice"), QStringLiteral("storageFreedMB"),
                         QStringLiteral("uninstallResidueCount")}));
        QCOMPARE(sortedKeys(json[QLatin1String("startupItems")].toArray()[0].toObject()),
                 sorted({QStringLiteral("name"), QStringLiteral("command"), QStringLiteral("source"), QStringLiteral("sourceType"),
                         QStringLiteral("score"), QStringLiteral("riskLevel"), QStringLiteral("hijacked"),
                         QStringLiteral("canDisable"), QStringLiteral("riskLabel")}));
        QCOMPARE(sortedKeys(json[QLatin1String("junkSoftware")].toArray()[0].toObject()),
                 sorted({QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("nameCn"), QStringLiteral("category"),
                         QStringLiteral("riskLevel"), QStringLiteral("dimension"), QStringLiteral("description"),
                         QStringLiteral("evidencePaths")}));
        QCOMPARE(sortedKeys(json[QLatin1String("browserItems")].toArray()[0].toObject()),
                 sorted({QStringLiteral("scope"), QStringLiteral("item"), QStringLiteral("value"), QStringLiteral("expected"),
                         QStringLiteral("abnormal"), QStringLiteral("note")}));
        QCOMPARE(sortedKeys(json[QLatin1String("popupWindows")].toArray()[0].toObject()),
                 sorted({QStringLiteral("processName"), QStringLiteral("windowTitle"), QStringLiteral("pid"),
                         QStringLiteral("isSigned"), QStringLiteral("isSuspicious"), QStringLiteral("reason")}));
        QCOMPARE(sortedKeys(json[QLatin1String("conflicts")].toArray()[0].toObject()),
                 sorted({QStringLiteral("category"), QStringLiteral("title"), QStringLiteral("detail"), QStringLiteral("suggestion")}));
    }

    void testValuesKeepTheirTypes()
    {
        const QJsonObject json = QJsonDocument::fromJson(ReportJson::toText(sample())).object();
        const QJsonObject item = json[QLatin1String("startupItems")].toArray()[0].toObject();
        QCOMPARE(item[QLatin1String("command")].toString(), QStringLiteral("\"C:\\a.exe\""));
        QCOMPARE(item[QLatin1String("sourceType")].toInt(), 1);
        QCOMPARE(item[QLatin1String("canDisable")].toBool(), true);
        QCOMPARE(item[QLatin1String("riskLabel")].toString(), QStringLiteral("🟡 可疑"));
        QCOMPARE(json[QLatin1String("junkSoftware")].toArray()[0].toObject()[QLatin1String("evidencePaths")].toArray().size(), 2);
        QCOMPARE(json[QLatin1String("popupWindows")].toArray()[0].toObject()[QLatin1String("pid")].toInt(), 7);
        QCOMPARE(json[QLatin1String("fastStartupEnabled")].toBool(), true);
        QCOMPARE(json[QLatin1String("restoreAdvice")].toString(), QStringLiteral("保持系统还原"));
        QCOMPARE(json[QLatin1String("storageFreedMB")].toInt(), 12);
        QCOMPARE(json[QLatin1String("uninstallResidueCount")].toInt(), 3);
    }

    void testDefaultMachineReportHasRecordsInEveryList()
    {
        QTemporaryDir dir;
        const QString report = dir.filePath(QStringLiteral("report.json"));
        QProcess sim;
        sim.start(QStringLiteral(TIDEWELL_SIM_PATH),
                  {QStringLiteral("--machine"), dir.filePath(QStringLiteral("machine")), QStringLiteral("--log-dir"),
                   dir.filePath(QStringLiteral("logs")), QStringLiteral("--report"), report});
        QVERIFY(sim.waitForFinished(120000));
        QCOMPARE(sim.exitCode(), 0);
        const QString out = QString::fromUtf8(sim.readAllStandardOutput());
        QVERIFY(out.contains(QStringLiteral("[引擎]   Phase1扫描汇总: 自启 ")));
        QVERIFY(out.contains(QStringLiteral("扫描[垃圾软件]")));
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
        for (const char* list : {"startupItems", "junkSoftware", "browserItems", "popupWindows", "conflicts"})
            QVERIFY2(!json[QLatin1String(list)].toArray().isEmpty(), list);
        QVERIFY(json.contains(QStringLiteral("uninstallResidueCount")));
        QVERIFY(json.contains(QStringLiteral("fastStartupReason")));
    }

    void testUnwritableReportFailsTheRun()
    {
        QTemporaryDir dir;
        QProcess sim;
        sim.start(QStringLiteral(TIDEWELL_SIM_PATH),
                  {QStringLiteral("--machine"), dir.filePath(QStringLiteral("machine")), QStringLiteral("--log-dir"),
                   dir.filePath(QStringLiteral("logs")), QStringLiteral("--report"), dir.filePath(QStringLiteral("no/such/dir/r.json"))});
        QVERIFY(sim.waitForFinished(120000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(QString::fromUtf8(sim.readAllStandardError()).contains(QStringLiteral("cannot write the report")));
    }
};

QTEST_GUILESS_MAIN(TestReportJson)
#include "TestReportJson.moc"
