#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Whole phase-2 runs of tidewell-sim on the embedded default machine: one true line per item, every change in
// the journal, and nothing removed outside the residue folders.
class TestPhase2SimRun : public QObject {
    Q_OBJECT

private:
    struct Run {
        int exitCode = -1;
        QString out;
    };

    static Run run(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(TIDEWELL_SIM_PATH), arguments);
        process.waitForFinished(240000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
    }

    static QString section(const QString& out, const QString& from, const QString& to)
    {
        const int start = out.indexOf(from);
        return start < 0 ? QString() : out.mid(start + from.size(), out.indexOf(to, start) - start - from.size());
    }

private slots:
    void testEveryItemOnTheDefaultMachine()
    {
        QTemporaryDir folder;
        const QString ids = QStringLiteral(
            "C13,C10,C11,C14,C8,C1,C12,C9,F3,A2,E1,H3,H2,ST:2:Baidu Netdisk,ST:2:xnbz,ST:3:KuaiZipUpdate,"
            "ST:5:2345SafeCenter,ST:6:FlashCenter,ST:10:鲁大师,ST:11:4399GameBox,ST:12:FlashHelperTask,RES:adw-001,"
            "RES:pup-005,RES:adw-006,RES:pup-003");
        const Run result =
            run({QStringLiteral("--machine"), folder.path() + QStringLiteral("/m"), QStringLiteral("--log-dir"),
                 folder.path() + QStringLiteral("/logs"), QStringLiteral("--phase2"), ids, QStringLiteral("--h2-keep"),
                 QStringLiteral("2"), QStringLiteral("--a2-size"), QStringLiteral("512")});
        QCOMPARE(result.exitCode, 0);
        const QStringList lines =
            section(result.out, QStringLiteral("--- phase 2\n"), QStringLiteral("\n\n--- run log"))
                .split(QLatin1Char('\n'));
        const QStringList expected{
            "本次共执行 25 项优化：",
            "分布式链接追踪（TrkWks）：已设为手动启动",
            "蜂窝网络服务：设置失败或服务不存在",
            "传感器服务（SensrSvc）：已是手动启动",
            "摄像头帧服务（FrameServer）：已是手动启动",
            "蓝牙支持服务（BthServ）：已设为手动启动",
            "Windows Search（WSearch）：已设为手动启动",
            "微软账户登录（wlidsvc）：已是禁用状态，未改动",
            "打印后台服务（Spooler）：已设为手动启动",
            "磁盘诊断服务：已禁用后台收集任务（1 个）",
            "事件日志大小限制：已设为 512 MB（System）；Application、Security 已不超过 512 MB，未改动",
            "TCP自动调优：已恢复为 normal",
            "大文件扫描：",
            "C:\\Users\\Lenovo\\Videos\\2025春节家庭录像.mp4 (3686 MB)",
            "C:\\Users\\Lenovo\\Downloads\\Win10_22H2_Chinese_x64.iso (5856 MB)",
            "系统还原点：共 3 个，已删除 1 个，保留最近 2 个",
            "已禁用开机自启：Baidu Netdisk",
            "已禁用开机自启：xnbz",
            "自启项只运行一次，已保留不动：KuaiZipUpdate",
            "已禁用开机自启：2345SafeCenter",
            "已禁用组策略自启：FlashCenter",
            "已禁用开机自启：鲁大师.lnk",
            "已禁用开机自启：4399GameBox.lnk",
            "自启项仅报告，未操作：FlashHelperTask",
            "2345安全卫士 残留清理：删除 1 个残留项；1 项跳过：软件仍在安装，请先卸载",
            "快压 残留清理：删除 1 个残留项",
            "Flash中国版助手服务 残留清理：删除 0 个残留项；2 项不在可清理范围，已跳过",
            "2345看图王 残留清理：删除 1 个残留项",
        };
        QCOMPARE(lines, expected);
        const QString journal = result.out.mid(result.out.indexOf(QStringLiteral("--- journal\n")));
        for (const char* change :
             {"service Spooler start type 2 -> 3", "event log System maximum size 1073741824 -> 536870912 bytes",
              "tcp global autotuninglevel disabled -> normal", "restore point 38 removed",
              "StartupApproved\\Run32 [2345SafeCenter] = type 3 03",
              "StartupApproved\\StartupFolder [鲁大师.lnk] = type 3 07",
              "registry delete value HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run "
              "[FlashCenter]",
              "remove folder C:\\Users\\Lenovo\\AppData\\Roaming\\KuaiZip"})
            QVERIFY2(journal.contains(QString::fromUtf8(change)), change);
        // What the guard refused or kept stays: the running program's folder and the Windows folder.
        for (const char* kept : {"C:\\Program Files (x86)\\2345Soft", "C:\\Windows\\SysWOW64\\Macromed"}) {
            QVERIFY2(!journal.contains(QStringLiteral("remove folder ") + QLatin1String(kept)), kept);
            QVERIFY2(!journal.contains(QStringLiteral("delete ") + QLatin1String(kept)), kept);
        }
    }

    void testBadPhase2ValuesAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("keep 0") << QStringList{"--phase2", "H2", "--h2-keep", "0"};
        QTest::addRow("keep 6") << QStringList{"--phase2", "H2", "--h2-keep", "6"};
        QTest::addRow("size 300") << QStringList{"--phase2", "A2", "--a2-size", "300"};
        QTest::addRow("empty id list") << QStringList{"--phase2", ","};
    }

    void testBadPhase2ValuesAreRefused()
    {
        QFETCH(QStringList, arguments);
        QCOMPARE(run(arguments).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestPhase2SimRun)
#include "TestPhase2SimRun.moc"
