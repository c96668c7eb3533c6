#include "log/RunLogger.h"
#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TempStick.h"
#include "support/TestMachine.h"

#include <QFile>
#include <QtTest>

using platform::sim::mergeProfile;

// The registry, service and process primitives the phase-1 steps share: their results, their log lines
// and what they do to the simulated machine.
class TestSystemChanges : public QObject {
    Q_OBJECT

private:
    TempStick stick_;

    static QStringList logLines()
    {
        QFile file(RunLogger::instance().logFilePath);
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The lines logged since `before` lines were there, without their time stamps.
    static QStringList linesSince(int before)
    {
        QStringList lines = logLines().mid(before);
        for (QString& line : lines)
            line = line.mid(line.indexOf(QLatin1Char(']')) + 2);
        return lines;
    }

    static nlohmann::json withServices()
    {
        nlohmann::json profile = TestMachine::windows10();
        mergeProfile(profile, {{"services",
                                {{"Fax", {{"state", "running"}, {"startType", "auto"}}},
                                 {"Stuck", {{"state", "running"}, {"startType", "auto"}, {"onStop", "hangs"}}},
                                 {"Stubborn", {{"state", "running"}, {"startType", "manual"}, {"onStop", "refuses"}}},
                                 {"Idle", {{"state", "stopped"}, {"startType", "manual"}}},
                                 {"WinDefend", {{"state", "running"}, {"startType", "auto"}, {"protected", true}}},
                                 {"Shared", {{"state", "running"}, {"startType", "auto"}, {"onStop", "dependents"}}}}},
                               {"processes",
                                {{{"pid", 4}, {"name", "System"}, {"protected", true}},
                                 {{"pid", 812}, {"name", "TrustedInstaller.exe"}}}}});
        return profile;
    }

    static QString state(TestMachine& machine, const char* name)
    {
        machine.reopen();
        return QString::fromStdString(machine.machine().document()["services"][name]["state"].get<std::string>());
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogger::instance().initialize(stick_.appDir(), QString(), machine.platform());
    }

    void testDwordLineShowsNoHive_data()
    {
        QTest::addColumn<int>("hive");
        QTest::addRow("local machine") << int(platform::Hive::LocalMachine);
        QTest::addRow("current user") << int(platform::Hive::CurrentUser);
    }

    void testDwordLineShowsNoHive()
    {
        QFETCH(int, hive);
        TestMachine machine;
        OptimizeCore core(machine.platform());
        const int before = logLines().size();
        core.setRegistryDword(platform::Hive(hive), QStringLiteral("SOFTWARE\\Policies\\Test"), QStringLiteral("Flag"),
                              4294967295u);
        QCOMPARE(linesSince(before),
                 QStringList{QStringLiteral("[引擎]     注册表(DWORD): SOFTWARE\\Policies\\Test\\Flag = 4294967295")});
        std::unique_ptr<platform::RegistryKey> key;
        QCOMPARE(machine.platform().registry.openKey(platform::Hive(hive), L"SOFTWARE\\Policies\\Test",
                                                     platform::RegAccess::Read, platform::RegView::Native64, key),
                 platform::ErrorSuccess);
        platform::RegValue value;
        QCOMPARE(key->queryValue(L"Flag", value), platform::ErrorSuccess);
        QCOMPARE(*value.asDword(), 4294967295u);
    }

    void testStringLineQuotesTheText()
    {
        TestMachine machine;
        OptimizeCore core(machine.platform());
        const int before = logLines().size();
        core.setUserRegistryString(QStringLiteral("Control Panel\\Desktop"), QStringLiteral("MenuShowDelay"),
                                   QStringLiteral("0"));
        QCOMPARE(linesSince(before),
                 QStringList{QStringLiteral("[引擎]     注册表(SZ): Control Panel\\Desktop\\MenuShowDelay = \"0\"")});
        std::unique_ptr<platform::RegistryKey> key;
        machine.platform().registry.openKey(platform::Hive::CurrentUser, L"Control Panel\\Desktop",
                                            platform::RegAccess::Read, platform::RegView::Native64, key);
        platform::RegValue value;
        QCOMPARE(key->queryValue(L"MenuShowDelay", value), platform::ErrorSuccess);
        QCOMPARE(value.type, platform::RegType::Sz);
        QCOMPARE(value.data.size(), std::size_t{4});
    }

    void testStopServiceAndWait_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("stateAfter");
        QTest::addRow("running service stops") << "Fax" << true << "stopped";
        QTest::addRow("already stopped: false at once") << "Idle" << false << "stopped";
        QTest::addRow("stop refused") << "Stubborn" << false << "running";
        QTest::addRow("hangs past the wait") << "Stuck" << false << "stop-pending";
        QTest::addRow("unknown service") << "NoSuchSvc" << false << QString();
    }

    void testStopServiceAndWait()
    {
        QFETCH(QString, service);
        QFETCH(bool, result);
        QFETCH(QString, stateAfter);
        TestMachine machine(withServices());
        OptimizeCore core(machine.platform());
        QCOMPARE(core.stopServiceAndWait(service), result);
        if (!stateAfter.isEmpty())
            QCOMPARE(state(machine, service.toUtf8().constData()), stateAfter);
    }

    void testDisableLogsTheOldStartType()
    {
        TestMachine machine(withServices());
        OptimizeCore core(machine.platform());
        const int before = logLines().size();
        QCOMPARE(core.disableService(QStringLiteral("Fax")), ServiceDisable::Disabled);
        QCOMPARE(linesSince(before), QStringList{QStringLiteral("[引擎] 服务 Fax 原始启动类型: 2 → 将设为 DISABLED")});
        machine.reopen();
        const auto& fax = machine.machine().document()["services"]["Fax"];
        QCOMPARE(QString::fromStdString(fax["startType"].get<std::string>()), QStringLiteral("disabled"));
        QCOMPARE(QString::fromStdString(fax["state"].get<std::string>()), QStringLiteral("stopped"));
    }

    void testDisableOutcome_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("stateAfter");
        QTest::addRow("will not stop: still disabled") << "Stuck" << int(ServiceDisable::Disabled) << "stop-pending";
        QTest::addRow("protected: refused, not stopped") << "WinDefend" << int(ServiceDisable::Refused) << "running";
        QTest::addRow("dependents run: left running")
            << "Shared" << int(ServiceDisable::DependentsRunning) << "running";
    }

    void testDisableOutcome()
    {
        QFETCH(QString, service);
        QFETCH(int, outcome);
        QFETCH(QString, stateAfter);
        TestMachine machine(withServices());
        OptimizeCore core(machine.platform());
        QCOMPARE(int(core.disableService(service)), outcome);
        QCOMPARE(state(machine, service.toUtf8().constData()), stateAfter);
    }

    void testDisableOfAMissingServiceIsFalseWithoutLogLine()
    {
        TestMachine machine(withServices());
        OptimizeCore core(machine.platform());
        const int before = logLines().size();
        QCOMPARE(core.disableService(QStringLiteral("RetailDemo")), ServiceDisable::Unavailable);
        QCOMPARE(linesSince(before), QStringList());
    }

    void testStartServiceRunsAStoppedService()
    {
        TestMachine machine(withServices());
        OptimizeCore core(machine.platform());
        QCOMPARE(core.serviceState(QStringLiteral("Idle")), quint32(platform::ServiceState::Stopped));
        core.startService(QStringLiteral("Idle"));
        QCOMPARE(core.serviceState(QStringLiteral("Idle")), quint32(platform::ServiceState::Running));
        QCOMPARE(core.serviceState(QStringLiteral("NoSuchSvc")), quint32(0));
    }

    void testProcessNamesCompareWithoutCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("running");
        QTest::addRow("other case") << "trustedinstaller.exe" << true;
        QTest::addRow("exact") << "TrustedInstaller.exe" << true;
        QTest::addRow("prefix only") << "trustedinstaller" << false;
        QTest::addRow("absent") << "wuauclt.exe" << false;
    }

    void testProcessNamesCompareWithoutCase()
    {
        QFETCH(QString, name);
        QFETCH(bool, running);
        TestMachine machine(withServices());
        OptimizeCore core(machine.platform());
        QCOMPARE(core.isProcessRunning(name), running);
    }
};

QTEST_GUILESS_MAIN(TestSystemChanges)
#include "TestSystemChanges.moc"
