#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QRegularExpression>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

const char* const kTools[] = {"ipconfig", "cleanmgr", "bcdedit", "powercfg", "defrag", "wmic"};

// The lines that state an effect of a console tool.
const QRegularExpression kClaims(QStringLiteral(
    "已执行|启动配置备份: |已启用快速启动|已关闭休眠|执行 TRIM \\(/L\\)$|执行碎片整理 \\(/U\\)$|本次释放"));

} // namespace

// A whole one-click run on a PC whose console tools are all missing or all failing: the log claims no
// effect of any of them and no figure counts one.
class TestToolFailures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testNoToolClaimsAnEffect_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<bool>("fastStartup");
        QTest::addRow("all missing, fast start-up machine") << "missing" << true;
        QTest::addRow("all failing, fast start-up machine") << "exit" << true;
        QTest::addRow("all missing, hibernation machine") << "missing" << false;
        QTest::addRow("all failing, hibernation machine") << "exit" << false;
        QTest::addRow("all hanging, hibernation machine") << "hang" << false;
    }

    void testNoToolClaimsAnEffect()
    {
        QFETCH(QString, behaviour);
        QFETCH(bool, fastStartup);
        nlohmann::json tools = nlohmann::json::object();
        for (const char* tool : kTools)
            tools[tool] = behaviour == QLatin1String("exit") ? nlohmann::json{{"exitCode", 1}}
                                                             : nlohmann::json(behaviour.toStdString());
        nlohmann::json profile = TestMachine::windows10();
        mergeProfile(profile, {{"tools", tools},
                               {"memory", {{"totalPhys", 32ull << 30}}},
                               {"disks", {{"C:", {{"totalGB", 465}, {"freeGB", fastStartup ? 60 : 15}}}}},
                               {"files",
                                {{{"path", "C:\\hiberfil.sys"}, {"size", 1ull << 30}},
                                 {{"path", "C:\\Windows\\system32\\drivers"}, {"folder", true}},
                                 {{"path", "C:\\Windows.001"}, {"folder", true}},
                                 {{"path", "C:\\Windows\\Temp\\old.log"}, {"size", 3 << 20}}}}});
        if (fastStartup)
            profile["files"].erase(2);
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        const int mark = RunLogLines::mark();
        core.startOptimize();
        const QStringList lines = RunLogLines::engineSince(mark);
        QVERIFY(!lines.isEmpty());
        for (const QString& line : lines)
            QVERIFY2(!kClaims.match(line).hasMatch(), qPrintable(line));
        QVERIFY(!lines.filter(QStringLiteral("失败")).isEmpty());
        QVERIFY(!core.hibernationTurnedOff);
        QCOMPARE(core.storageFreedMB, 0);
        QCOMPARE(core.cleanedMB, 3);
    }
};

QTEST_GUILESS_MAIN(TestToolFailures)
#include "TestToolFailures.moc"
