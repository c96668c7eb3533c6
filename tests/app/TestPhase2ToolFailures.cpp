#include "platform/sim/DefaultMachine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const kTools[] = {"ipconfig", "cleanmgr", "bcdedit", "powercfg", "defrag", "wmic", "wevtutil", "netsh"};

// Every phase-2 item of the default machine.
const char kItems[] =
    "C13,C10,C11,C14,C8,C1,C12,C9,F3,A2,E1,H3,H2,ST:2:Baidu Netdisk,ST:2:xnbz,ST:3:KuaiZipUpdate,"
    "ST:5:2345SafeCenter,ST:6:FlashCenter,ST:10:鲁大师,ST:11:4399GameBox,ST:12:FlashHelperTask,RES:adw-001,"
    "RES:pup-005,RES:adw-006,RES:pup-003";

// Far beyond what the run may wait for its tools (ten seconds per tool at most) had each of them hung.
constexpr int kRunLimitMs = 120000;

// The lines that state an effect of a console tool, in phase 1's log and in phase 2's summary.
const QRegularExpression kClaims(QStringLiteral(
    "已执行|启动配置备份: |已启用快速启动|已关闭休眠|执行 TRIM \\(/L\\)$|执行碎片整理 \\(/U\\)$|本次释放|"
    "事件日志大小限制：已设为|TCP自动调优：已恢复|系统还原点：.*已删除 [1-9]"));

} // namespace

// Phase 1 and then every phase-2 item through tidewell-sim on the default machine with every console tool
// missing, failing or hanging at once (and restore points only readable through wmic): the run ends within
// its waits, and neither the run log nor the phase-2 summary claims what a tool would have done.
class TestPhase2ToolFailures : public QObject {
    Q_OBJECT

private slots:
    void testNoToolClaimsAnEffect_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<QStringList>("toolLines");
        QTest::addRow("all missing") << "missing"
                                     << QStringList{"事件日志大小限制：Application、System、Security 设置失败",
                                                    "TCP自动调优：无法运行 netsh，未作改动",
                                                    "系统还原点：无法读取还原点列表，未作改动"};
        QTest::addRow("all failing") << "exit"
                                     << QStringList{"事件日志大小限制：Application、System、Security 设置失败",
                                                    "TCP自动调优：设置失败（netsh 返回 1）",
                                                    "系统还原点：无法读取还原点列表，未作改动"};
        QTest::addRow("all hanging") << "hang"
                                     << QStringList{"事件日志大小限制：Application、System、Security 设置失败",
                                                    "TCP自动调优：无法运行 netsh，未作改动",
                                                    "系统还原点：无法读取还原点列表，未作改动"};
    }

    void testNoToolClaimsAnEffect()
    {
        QFETCH(QString, behaviour);
        QFETCH(QStringList, toolLines);
        QTemporaryDir folder;
        QVERIFY(writeMachine(folder.path() + QStringLiteral("/m"), behaviour));

        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(TIDEWELL_SIM_PATH),
                      {QStringLiteral("--machine"), folder.path() + QStringLiteral("/m"), QStringLiteral("--log-dir"),
                       folder.path() + QStringLiteral("/logs"), QStringLiteral("--phase2"), QString::fromUtf8(kItems)});
        QVERIFY(process.waitForFinished(kRunLimitMs));
        QVERIFY(timer.elapsed() < kRunLimitMs);
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);

        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const int phase2 = out.indexOf(QStringLiteral("--- phase 2\n"));
        const int runLog = out.indexOf(QStringLiteral("--- run log"));
        QVERIFY(phase2 > 0 && runLog > phase2);
        const QStringList summary = out.mid(phase2, runLog - phase2).split(QLatin1Char('\n'));
        QCOMPARE(summary.value(1), QStringLiteral("本次共执行 25 项优化："));
        for (const QString& line : toolLines)
            QVERIFY2(summary.contains(line), qPrintable(line));
        const QStringList logLines = out.mid(runLog).split(QLatin1Char('\n'));
        QVERIFY(logLines.size() > 20);
        for (const QString& line : summary + logLines)
            QVERIFY2(!kClaims.match(line).hasMatch(), qPrintable(line));
    }

private:
    static bool writeMachine(const QString& folder, const QString& behaviour)
    {
        nlohmann::json tools = nlohmann::json::object();
        for (const char* tool : kTools)
            tools[tool] = behaviour == QLatin1String("exit") ? nlohmann::json{{"exitCode", 1}, {"output", "error"}}
                                                             : nlohmann::json(behaviour.toStdString());
        nlohmann::json profile = platform::sim::defaultMachineProfile();
        platform::sim::mergeProfile(profile, {{"tools", tools}, {"wmiComFails", true}});
        QFile file(folder + QStringLiteral("/machine.json"));
        return QDir().mkpath(folder) && file.open(QIODevice::WriteOnly) &&
               file.write(QByteArray::fromStdString(profile.dump())) > 0;
    }
};

QTEST_GUILESS_MAIN(TestPhase2ToolFailures)
#include "TestPhase2ToolFailures.moc"
