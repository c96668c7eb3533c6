#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <new>

using platform::sim::mergeProfile;

namespace {

const char* const kClass = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";
const char* const kEthernet = "{5A3E2C1B-7D4F-4E21-9B8A-0C6D5E4F3A21}";
const char* const kMiniport = "{78032B7E-4968-42D3-9F37-287EA86C0AAA}";
const char* const kAbsent = "{0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}";

const char* const kAllServices[] = {"Fax",        "AJRouter",         "PhoneSvc",  "PrintWorkflow", "WbioSrvc",
                                    "DoSvc",      "TabletInputService", "stisvc", "wisvc",         "RetailDemo",
                                    "RemoteRegistry", "lfsvc",          "MapsBroker", "dmwappushservice", "WpcMonSvc",
                                    "SCardSvr",   "ScDeviceEnum",     "seclogon",  "SharedAccess"};

// A machine with every service of both lists but sshd, three network devices and the given printers.
nlohmann::json tweaksProfile(int major, int minor, const std::vector<std::string>& printers = {})
{
    nlohmann::json profile = TestMachine::windows10();
    profile["system"]["version"] = {{"major", major}, {"minor", minor}, {"build", major == 10 ? 19045 : 7601}};
    nlohmann::json services = nlohmann::json::object();
    for (const char* name : kAllServices)
        services[name] = {{"state", "running"}, {"startType", "manual"}};
    nlohmann::json printerList = nlohmann::json::array();
    for (const auto& name : printers)
        printerList.push_back({{"name", name}});
    mergeProfile(
        profile,
        {{"services", services},
         {"printers", printerList},
         {"adapters",
          {{{"name", kEthernet}}, {{"name", kMiniport}, {"ipv4", false}}, {{"name", kAbsent}, {"present", false}}}},
         {"registry",
          {{std::string(kClass) + "\\0001", {{"NetCfgInstanceId", kEthernet}}},
           {std::string(kClass) + "\\0002", {{"NetCfgInstanceId", kMiniport}}},
           {std::string(kClass) + "\\0003", {{"NetCfgInstanceId", kAbsent}}}}},
         {"boot", {{"timeout", 30}, {"entries", {{"{current}", {{"quietboot", false}}}}}}},
         {"files", {{{"path", "C:\\Windows\\system32"}, {"folder", true}}}}});
    return profile;
}

// The service control manager of a machine, except that opening the named services runs out of memory.
class ExhaustedManager : public platform::ServiceManager {
public:
    ExhaustedManager(std::unique_ptr<platform::ServiceManager> inner, QStringList names)
        : inner_(std::move(inner))
        , names_(std::move(names))
    {
    }

    platform::Status openService(const std::wstring& name, std::uint32_t access,
                                 std::unique_ptr<platform::Service>& service) override
    {
        if (names_.contains(QString::fromStdWString(name)))
            throw std::bad_alloc();
        return inner_->openService(name, access, service);
    }

    platform::Status enumerate(std::vector<platform::ServiceEntry>& services) override
    {
        return inner_->enumerate(services);
    }

private:
    std::unique_ptr<platform::ServiceManager> inner_;
    QStringList names_;
};

class ExhaustedServices : public platform::Services {
public:
    ExhaustedServices(platform::Services& inner, QStringList names)
        : inner_(inner)
        , names_(std::move(names))
    {
    }

    platform::Status openManager(std::uint32_t access, std::unique_ptr<platform::ServiceManager>& manager) override
    {
        std::unique_ptr<platform::ServiceManager> real;
        const platform::Status status = inner_.openManager(access, real);
        if (status == platform::ErrorSuccess)
            manager = std::make_unique<ExhaustedManager>(std::move(real), names_);
        return status;
    }

private:
    platform::Services& inner_;
    QStringList names_;
};

} // namespace

// The system-settings stage: visual values, boot configuration, adapter power, both service lists with
// their keep rules and per-service catch, the power plan, and the progress it reports.
class TestSystemTweaks : public QObject {
    Q_OBJECT

private:
    static void prepare(OptimizeCore& core, int major, int minor)
    {
        core.osMajor = major;
        core.osMinor = minor;
        core.systemDrive = QStringLiteral("C:");
    }

    static QStringList serviceLines(const QStringList& lines)
    {
        QStringList found;
        for (const QString& line : lines) {
            if (line.contains(QStringLiteral("服务")) || line.contains(QStringLiteral("跳过：")))
                found.append(line);
        }
        return found;
    }

    static QString startType(TestMachine& machine, const char* name)
    {
        return QString::fromStdString(machine.machine().document()["services"][name]["startType"].dump());
    }

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testProgress_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QList<int>>("percents");
        QTest::addRow("Windows 10") << 10 << 0 << QList<int>{42, 44, 46, 48, 50, 52, 55, 60, 64};
        QTest::addRow("Windows 8.1") << 6 << 3 << QList<int>{44, 46, 48, 50, 52, 55, 60, 64};
        QTest::addRow("Windows 7") << 6 << 1 << QList<int>{44, 46, 48, 50, 52, 55, 60, 64};
    }

    void testProgress()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QList<int>, percents);
        TestMachine machine(tweaksProfile(major, minor));
        OptimizeCore core(machine.platform());
        prepare(core, major, minor);
        QSignalSpy spy(&core, &OptimizeCore::progressUpdated);
        core.applySystemTweaks();
        QList<int> seen;
        for (const auto& update : spy) {
            QCOMPARE(update[0].toInt(), 3);
            seen.append(update[1].toInt());
        }
        QCOMPARE(seen, percents);
    }

    void testProgressTexts()
    {
        TestMachine machine(tweaksProfile(10, 0));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        QSignalSpy spy(&core, &OptimizeCore::progressUpdated);
        core.applySystemTweaks();
        QStringList texts;
        for (const auto& update : spy)
            texts.append(update[2].toString());
        QCOMPARE(texts, (QStringList{QStringLiteral("正在关闭透明效果..."), QStringLiteral("正在加速菜单响应..."),
                                     QStringLiteral("正在关闭窗口动画..."), QStringLiteral("正在优化任务栏..."),
                                     QStringLiteral("正在优化启动配置..."),
                                     QStringLiteral("正在优化网络适配器电源管理..."),
                                     QStringLiteral("正在优化系统服务..."), QStringLiteral("正在优化电源计划..."),
                                     QStringLiteral("系统设置优化完成")}));
    }

    void testVisualValuesAreWrittenAndLogged()
    {
        TestMachine machine(tweaksProfile(10, 0));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        QCOMPARE(RunLogLines::engineSince(mark).mid(0, 4),
                 (QStringList{
                     QStringLiteral(
                         "    注册表(DWORD): "
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize\\EnableTransparency = 0"),
                     QStringLiteral("    注册表(SZ): Control Panel\\Desktop\\MenuShowDelay = \"0\""),
                     QStringLiteral("    注册表(SZ): Control Panel\\Desktop\\WindowMetrics\\MinAnimate = \"0\""),
                     QStringLiteral(
                         "    注册表(DWORD): "
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\TaskbarAnimations = 0")}));
        machine.reopen();
        auto& registry = machine.machine().document()["registry"];
        QCOMPARE(
            registry["HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"]["EnableTransparency"],
            0);
        QCOMPARE(registry["HKCU\\Control Panel\\Desktop"]["MenuShowDelay"], "0");
        QCOMPARE(registry["HKCU\\Control Panel\\Desktop\\WindowMetrics"]["MinAnimate"], "0");
        QCOMPARE(
            registry["HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"]["TaskbarAnimations"], 0);
    }

    void testWindows7LeavesTransparencyAlone()
    {
        TestMachine machine(tweaksProfile(6, 1));
        OptimizeCore core(machine.platform());
        prepare(core, 6, 1);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        for (const QString& line : RunLogLines::engineSince(mark))
            QVERIFY2(!line.contains(QStringLiteral("EnableTransparency")), qPrintable(line));
        machine.reopen();
        QVERIFY(!machine.machine().document()["registry"].contains(
            "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"));
    }

    void testWindows7ServiceLines()
    {
        TestMachine machine(tweaksProfile(6, 1));
        OptimizeCore core(machine.platform());
        prepare(core, 6, 1);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        QStringList expected;
        for (const char* name : {"Fax"})
            expected << QStringLiteral("服务 %1 原始启动类型: 3 → 将设为 DISABLED").arg(QLatin1String(name))
                     << QStringLiteral("  服务禁用 [C2-C7]: %1 → 已禁用").arg(QLatin1String(name));
        for (const char* name : {"TabletInputService", "stisvc", "wisvc", "RemoteRegistry", "lfsvc", "SCardSvr",
                                 "ScDeviceEnum", "seclogon", "SharedAccess"})
            expected << QStringLiteral("服务 %1 原始启动类型: 3 → 将设为 DISABLED").arg(QLatin1String(name))
                     << QStringLiteral("  服务禁用 [V1.4]: %1 → 已禁用").arg(QLatin1String(name));
        expected << QStringLiteral("  服务 [V1.4]: sshd → 不存在或已禁用，跳过");
        QCOMPARE(serviceLines(RunLogLines::engineSince(mark)), expected);
        machine.reopen();
        for (const char* name : {"AJRouter", "PhoneSvc", "WbioSrvc", "DoSvc", "RetailDemo", "MapsBroker",
                                 "dmwappushservice", "WpcMonSvc"})
            QCOMPARE(startType(machine, name), QStringLiteral("\"manual\""));
        QCOMPARE(startType(machine, "Fax"), QStringLiteral("\"disabled\""));
    }

    void testWindows81ProcessesOnlyFaxFromTheFirstList()
    {
        TestMachine machine(tweaksProfile(6, 3));
        OptimizeCore core(machine.platform());
        prepare(core, 6, 3);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList lines = RunLogLines::engineSince(mark);
        QVERIFY(lines.contains(QStringLiteral("  服务禁用 [C2-C7]: Fax → 已禁用")));
        QVERIFY(!lines.join(QLatin1Char('\n')).contains(QStringLiteral("AJRouter")));
        QVERIFY(lines.contains(QStringLiteral("  服务禁用 [V1.4]: MapsBroker → 已禁用")));
        QVERIFY(lines.contains(QStringLiteral("  服务禁用 [V1.4]: RetailDemo → 已禁用")));
    }

    void testKeepRules_data()
    {
        QTest::addColumn<bool>("hasBattery");
        QTest::addColumn<bool>("domainJoined");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QStringList>("firstListLines");
        const QString disabled = QStringLiteral("  服务禁用 [C2-C7]: %1 → 已禁用");
        const QString keptC5 = QStringLiteral("C5 跳过：检测到虚拟打印机，保留 PrintWorkflow");
        const QString keptC6 = QStringLiteral("C6 跳过：台式机不需要生物识别服务");
        const QString keptC7 = QStringLiteral("C7 跳过：域环境保留传递优化");
        QTest::addRow("desktop, PDF printer, workgroup")
            << false << false << QStringLiteral("Microsoft Print to PDF")
            << QStringList{disabled.arg("Fax"), disabled.arg("AJRouter"), disabled.arg("PhoneSvc"), keptC5, keptC6,
                           disabled.arg("DoSvc")};
        QTest::addRow("notebook, upper-case PDF, domain")
            << true << true << QStringLiteral("FOXIT PDF EDITOR")
            << QStringList{disabled.arg("Fax"), disabled.arg("AJRouter"), disabled.arg("PhoneSvc"), keptC5,
                           disabled.arg("WbioSrvc"), keptC7};
        QTest::addRow("notebook, XPS") << true << false << QStringLiteral("Microsoft XPS Document Writer")
                                       << QStringList{disabled.arg("Fax"), disabled.arg("AJRouter"),
                                                      disabled.arg("PhoneSvc"), keptC5, disabled.arg("WbioSrvc"),
                                                      disabled.arg("DoSvc")};
        QTest::addRow("OneNote") << true << false << QStringLiteral("Send To OneNote 2016")
                                 << QStringList{disabled.arg("Fax"), disabled.arg("AJRouter"), disabled.arg("PhoneSvc"),
                                                keptC5, disabled.arg("WbioSrvc"), disabled.arg("DoSvc")};
        QTest::addRow("print to") << true << false << QStringLiteral("Print To Evernote")
                                  << QStringList{disabled.arg("Fax"),      disabled.arg("AJRouter"),
                                                 disabled.arg("PhoneSvc"), keptC5,
                                                 disabled.arg("WbioSrvc"), disabled.arg("DoSvc")};
        QTest::addRow("physical printer only")
            << true << false << QStringLiteral("HP LaserJet Pro MFP M126nw")
            << QStringList{disabled.arg("Fax"), disabled.arg("AJRouter"), disabled.arg("PhoneSvc"),
                           disabled.arg("PrintWorkflow"), disabled.arg("WbioSrvc"), disabled.arg("DoSvc")};
    }

    void testKeepRules()
    {
        QFETCH(bool, hasBattery);
        QFETCH(bool, domainJoined);
        QFETCH(QString, printer);
        QFETCH(QStringList, firstListLines);
        TestMachine machine(tweaksProfile(10, 0, {printer.toStdString()}));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        core.hasBattery = hasBattery;
        core.isDomainJoined = domainJoined;
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        QStringList seen;
        for (const QString& line : RunLogLines::engineSince(mark)) {
            if (line.contains(QStringLiteral("[C2-C7]")) || line.contains(QStringLiteral("跳过：")))
                seen.append(line);
        }
        QCOMPARE(seen, firstListLines);
    }

    // Fingerprint and face sign-in need WbioSrvc: a present biometric device keeps it on any machine.
    void testBiometricDeviceKeepsWbioSrvc_data()
    {
        QTest::addColumn<bool>("hasBattery");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("wbioLine");
        const QString biometric = QStringLiteral("C6 跳过：检测到生物识别设备，保留 WbioSrvc");
        QTest::addRow("notebook with a fingerprint reader") << true << "present" << biometric;
        QTest::addRow("notebook, reader unplugged")
            << true << "absent" << QStringLiteral("  服务禁用 [C2-C7]: WbioSrvc → 已禁用");
        QTest::addRow("notebook without a reader")
            << true << "" << QStringLiteral("  服务禁用 [C2-C7]: WbioSrvc → 已禁用");
        QTest::addRow("desktop with a face camera") << false << "present" << biometric;
        QTest::addRow("desktop without a reader") << false << "" << QStringLiteral("C6 跳过：台式机不需要生物识别服务");
    }

    void testBiometricDeviceKeepsWbioSrvc()
    {
        QFETCH(bool, hasBattery);
        QFETCH(QString, device);
        QFETCH(QString, wbioLine);
        nlohmann::json profile = tweaksProfile(10, 0);
        profile["devices"] = nlohmann::json::array();
        profile["devices"].push_back({{"class", "{53d29ef7-377c-4d14-864b-eb3a85769359}"},
                                      {"instanceId", "USB\\VID_06CB&PID_00BD\\5&1A2B3C4D&0&7"},
                                      {"present", device == QLatin1String("present")}});
        if (device.isEmpty())
            profile["devices"] = {{{"class", "{4d36e96f-e325-11ce-bfc1-08002be10318}"}, {"instanceId", "HID\\MOUSE"}}};
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        core.hasBattery = hasBattery;
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList wbio = RunLogLines::engineSince(mark).filter(QStringLiteral("WbioSrvc")) +
                                 RunLogLines::engineSince(mark).filter(QStringLiteral("C6 "));
        QVERIFY2(wbio.contains(wbioLine), qPrintable(wbio.join(QLatin1Char('\n'))));
        machine.reopen();
        QCOMPARE(machine.machine().document()["services"]["WbioSrvc"]["startType"] == "disabled",
                 wbioLine.contains(QStringLiteral("已禁用")));
    }

    void testSpoolerFailureMeansNoVirtualPrinter()
    {
        nlohmann::json profile = tweaksProfile(10, 0, {"Microsoft Print to PDF"});
        profile["printerError"] = 1722;
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        QVERIFY(RunLogLines::engineSince(mark).contains(QStringLiteral("  服务禁用 [C2-C7]: PrintWorkflow → 已禁用")));
    }

    void testMissingServiceIsLoggedAsSkipped()
    {
        nlohmann::json profile = tweaksProfile(10, 0);
        profile["services"].erase("PhoneSvc");
        profile["services"].erase("lfsvc");
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList lines = RunLogLines::engineSince(mark);
        QVERIFY(lines.contains(QStringLiteral("  服务 [C2-C7]: PhoneSvc → 不存在或前置不满足，跳过")));
        QVERIFY(lines.contains(QStringLiteral("  服务 [V1.4]: lfsvc → 不存在或已禁用，跳过")));
        QVERIFY(lines.contains(QStringLiteral("  服务 [V1.4]: sshd → 不存在或已禁用，跳过")));
    }

    // Recent builds refuse changes to DoSvc even to an administrator: it keeps running, and the line says so.
    void testRefusedOrDependedOnServiceKeepsRunning()
    {
        nlohmann::json profile = tweaksProfile(10, 0);
        profile["services"]["DoSvc"].update({{"state", "running"}, {"protected", true}});
        profile["services"]["AJRouter"].update({{"state", "running"}, {"onStop", "dependents"}});
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList lines = RunLogLines::engineSince(mark);
        QVERIFY(lines.contains(QStringLiteral("  服务 [C2-C7]: DoSvc → 系统拒绝更改启动类型（受保护的服务），保持原状，未停止")));
        QVERIFY(lines.contains(QStringLiteral("  服务禁用 [C2-C7]: AJRouter → 已禁用，依赖它的服务仍在运行，暂不停止")));
        QVERIFY(machine.journal().filter(QStringLiteral("service DoSvc stop")).isEmpty());
        machine.reopen();
        QVERIFY(machine.machine().document()["services"]["DoSvc"]["state"] == "running");
        QCOMPARE(startType(machine, "AJRouter"), QStringLiteral("\"disabled\""));
    }

    void testExceptionIsCaughtPerService()
    {
        TestMachine machine(tweaksProfile(10, 0));
        platform::Platform& real = machine.platform();
        ExhaustedServices exhausted(real.services, {QStringLiteral("AJRouter"), QStringLiteral("stisvc")});
        platform::Platform patched{real.registry, exhausted,     real.security, real.systemInfo,
                                   real.processes, real.windows, real.devices,  real.tasks,
                                   real.shell,    real.files,    real.commands};
        OptimizeCore core(patched);
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList lines = serviceLines(RunLogLines::engineSince(mark));
        const int ajRouter = lines.indexOf(QStringLiteral("  服务 AJRouter 禁用失败"));
        QVERIFY(ajRouter > 0);
        QCOMPARE(lines[ajRouter - 1], QStringLiteral("  服务禁用 [C2-C7]: Fax → 已禁用"));
        QCOMPARE(lines[ajRouter + 1], QStringLiteral("服务 PhoneSvc 原始启动类型: 3 → 将设为 DISABLED"));
        const int stisvc = lines.indexOf(QStringLiteral("  旧版服务 stisvc 禁用失败"));
        QVERIFY(stisvc > 0);
        QCOMPARE(lines[stisvc + 1], QStringLiteral("服务 wisvc 原始启动类型: 3 → 将设为 DISABLED"));
        machine.reopen();
        QCOMPARE(startType(machine, "AJRouter"), QStringLiteral("\"manual\""));
        QCOMPARE(startType(machine, "PhoneSvc"), QStringLiteral("\"disabled\""));
    }

    void testBootConfiguration_data()
    {
        QTest::addColumn<bool>("dualBoot");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<QString>("d3Line");
        QTest::addRow("single Windows") << false << 0 << QStringLiteral("    D3 已执行: bcdedit /timeout 0（双系统:否）");
        QTest::addRow("dual boot") << true << 5 << QStringLiteral("    D3 已执行: bcdedit /timeout 5（双系统:是）");
    }

    void testBootConfiguration()
    {
        QFETCH(bool, dualBoot);
        QFETCH(int, timeout);
        QFETCH(QString, d3Line);
        TestMachine machine(tweaksProfile(10, 0));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        core.isDualBoot = dualBoot;
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList lines = RunLogLines::engineSince(mark);
        const int backup = lines.indexOf(QRegularExpression(QStringLiteral("^    D2/D3 启动配置备份: .*")));
        QVERIFY(backup >= 0);
        QCOMPARE(lines[backup + 1], QStringLiteral("    D2 已执行: bcdedit /set {current} quietboot on"));
        QCOMPARE(lines[backup + 2], d3Line);
        machine.reopen();
        const auto& boot = machine.machine().document()["boot"];
        QCOMPARE(boot["timeout"].get<int>(), timeout);
        QCOMPARE(boot["entries"]["{current}"]["quietboot"], true);
    }

    void testBackupFileNameHoldsTheTimeToTheSecond()
    {
        TestMachine machine(tweaksProfile(10, 0));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
        core.applySystemTweaks();
        const QDateTime after = QDateTime::currentDateTime();
        const QRegularExpression pattern(
            QStringLiteral("^    D2/D3 启动配置备份: (C:\\\\Windows\\\\bcd_backup_(\\d{8}_\\d{6})\\.bcd)$"));
        QRegularExpressionMatch match;
        for (const QString& line : RunLogLines::engineSince(mark)) {
            if (pattern.match(line).hasMatch())
                match = pattern.match(line);
        }
        QVERIFY(match.hasMatch());
        const QDateTime stamp = QDateTime::fromString(match.captured(2), QStringLiteral("yyyyMMdd_HHmmss"));
        QVERIFY(stamp >= before && stamp <= after);
        QVERIFY(QFileInfo::exists(machine.hostPath(match.captured(1))));
        QVERIFY(machine.journal().contains(
            QStringLiteral("command C:\\Windows\\system32\\bcdedit.exe /export %1 -> exit 0").arg(match.captured(1))));
    }

    void testSecondBackupInTheSameSecondGetsASuffix()
    {
        TestMachine machine(tweaksProfile(10, 0));
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
        QStringList taken;
        for (const QString& name : {QStringLiteral("bcd_backup_%1.bcd"), QStringLiteral("bcd_backup_%1_2.bcd")}) {
            QFile file(machine.hostPath(QStringLiteral("C:\\Windows\\")) + QLatin1Char('/') + name.arg(stamp));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("earlier backup");
            taken.append(file.fileName());
        }
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QString expected = QStringLiteral("    D2/D3 启动配置备份: C:\\Windows\\bcd_backup_%1_3.bcd").arg(stamp);
        if (QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")) != stamp)
            QSKIP("the clock passed a second boundary during the run");
        QVERIFY(RunLogLines::engineSince(mark).contains(expected));
        for (const QString& earlier : taken) {
            QFile file(earlier);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("earlier backup"));
        }
    }

    // A bcdedit that is missing, fails or hangs: each item says so, no backup file is named, nothing is
    // claimed as done.
    void testFailingBootToolClaimsNothing_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<QString>("reason");
        QTest::addRow("missing") << "missing" << QStringLiteral("未找到程序");
        QTest::addRow("exit 1") << "exit" << QStringLiteral("退出码 1");
        QTest::addRow("hangs") << "hang" << QStringLiteral("超时未结束");
    }

    void testFailingBootToolClaimsNothing()
    {
        QFETCH(QString, behaviour);
        QFETCH(QString, reason);
        nlohmann::json profile = tweaksProfile(10, 0);
        profile["tools"] = {{"bcdedit", behaviour == QLatin1String("exit") ? nlohmann::json{{"exitCode", 1}}
                                                                           : nlohmann::json(behaviour.toStdString())}};
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        const QStringList lines = RunLogLines::engineSince(mark);
        const int backup = lines.indexOf(QStringLiteral("    D2/D3 启动配置备份失败（%1）").arg(reason));
        QVERIFY2(backup >= 0, qPrintable(lines.join(QLatin1Char('\n'))));
        QCOMPARE(lines[backup + 1],
                 QStringLiteral("    D2 失败: bcdedit /set {current} quietboot on（%1）").arg(reason));
        QCOMPARE(lines[backup + 2], QStringLiteral("    D3 失败: bcdedit /timeout 0（双系统:否）（%1）").arg(reason));
        for (const QString& line : lines)
            QVERIFY2(!line.contains(QStringLiteral("已执行")) && !line.contains(QStringLiteral("bcd_backup_")),
                     qPrintable(line));
        QVERIFY(QDir(machine.hostPath(QStringLiteral("C:\\Windows")))
                    .entryList({QStringLiteral("bcd_backup_*")})
                    .isEmpty());
    }

    void testAdapterPowerSaving_data()
    {
        QTest::addColumn<bool>("hasBattery");
        QTest::addColumn<bool>("onBattery");
        QTest::addColumn<bool>("changed");
        QTest::addRow("desktop") << false << false << true;
        QTest::addRow("notebook on mains") << true << false << true;
        QTest::addRow("notebook on battery") << true << true << false;
    }

    void testAdapterPowerSaving()
    {
        QFETCH(bool, hasBattery);
        QFETCH(bool, onBattery);
        QFETCH(bool, changed);
        TestMachine machine(tweaksProfile(10, 0));
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        core.hasBattery = hasBattery;
        core.onBattery = onBattery;
        const int mark = RunLogLines::mark();
        core.applySystemTweaks();
        for (const QString& line : RunLogLines::engineSince(mark))
            QVERIFY2(!line.contains(QStringLiteral("PnPCapabilities")), qPrintable(line));
        QVERIFY(machine.journal().contains(QStringLiteral(
            "command C:\\Windows\\system32\\powercfg.exe /setactive 8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c -> exit 0")));
        machine.reopen();
        auto& registry = machine.machine().document()["registry"];
        const nlohmann::json expected = changed ? nlohmann::json(24) : nlohmann::json();
        QCOMPARE(registry[std::string(kClass) + "\\0001"]["PnPCapabilities"], expected);
        QCOMPARE(registry[std::string(kClass) + "\\0002"]["PnPCapabilities"], expected);
        QVERIFY(!registry[std::string(kClass) + "\\0003"].contains("PnPCapabilities"));
        QCOMPARE(machine.machine().document()["powerSchemes"]["active"], "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c");
    }

    void testNoAdapterWithAnIpBindingChangesNoDevice()
    {
        nlohmann::json profile = tweaksProfile(10, 0);
        profile["adapters"][0]["ipv4"] = false;
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        prepare(core, 10, 0);
        core.applySystemTweaks();
        for (const QString& line : machine.journal())
            QVERIFY2(!line.contains(QStringLiteral("PnPCapabilities")), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestSystemTweaks)
#include "TestSystemTweaks.moc"
