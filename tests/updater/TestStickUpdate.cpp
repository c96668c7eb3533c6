#include "support/LoopbackHttpServer.h"
#include "support/TestMachine.h"
#include "updater/FolderSwap.h"
#include "updater/NetworkFileSource.h"
#include "updater/ReleaseAddress.h"
#include "updater/SwapRecovery.h"
#include "updater/UpdateRun.h"

#include <QCryptographicHash>
#include <QtTest>

Q_DECLARE_METATYPE(LoopbackHttpServer::Route)

namespace
{

// A release copied to a folder; `cut` bytes into a file it stops as a broken connection would.
class FolderSource : public FileSource
{
public:
    QString folder;
    qint64 cut = -1;
    bool holdUntilCancelled = false;
    QStringList fetched;

    bool fetch(const QString&, const QString& path, qint64 maxBytes, QIODevice& sink, const Received& received,
               QString& error) override
    {
        fetched.append(path);
        QFile file(folder + QLatin1Char('/') + path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.read(maxBytes + 1) : QByteArray();
        for (int i = 0; holdUntilCancelled && i < 1000 && received(0); ++i)
            QThread::msleep(5);
        const QByteArray sent = cut >= 0 ? bytes.left(cut) : bytes;
        sink.write(sent);
        error = QStringLiteral("connection lost");
        return cut < 0 && received(sent.size());
    }
};

class FixedList : public VersionList
{
public:
    NewVersion version;
    bool load(NewVersion& newVersion, QString&) override
    {
        newVersion = version;
        return true;
    }
};

class FakeProgram : public ProgramControl
{
public:
    QString folder;
    bool running = false;
    bool confirms = true;
    bool isRunning() override { return running; }
    bool start() override
    {
        if (confirms)
            confirmProgramStarted(folder);
        return true;
    }
};

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

} // namespace

// The updater on a stick inside a simulated PC: staging, the swap, the recovery after a cut at every step.
class TestStickUpdate : public QObject
{
    Q_OBJECT

    TestMachine machine;
    QTemporaryDir release;
    QString app;
    FolderSource source;
    FixedList list;
    FakeProgram program;

    void addFile(const QString& path, const QByteArray& bytes)
    {
        put(release.path() + QLatin1Char('/') + path, bytes);
        list.version.files.append({path, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)});
    }

    UpdateRun::Result update(QString& message, UpdateRun::Timing timing = {10, 1000})
    {
        StickFolderRemoval removal(machine.platform(), [this](const QString& local) {
            return machine.machine().windowsPath(std::filesystem::path(local.toStdString()));
        });
        UpdateRun flow(StickLayout(app), list, source, program, removal, timing);
        QSignalSpy done(&flow, &UpdateRun::finished);
        connect(&flow, &UpdateRun::progressed, &flow, [&] {
            if (source.holdUntilCancelled)
                flow.cancel();
        });
        flow.start();
        if (!done.wait(10000))
            return UpdateRun::Result::Failed;
        message = done.at(0).at(1).toString();
        return done.at(0).at(0).value<UpdateRun::Result>();
    }

    void verifyOldStick()
    {
        QCOMPARE(read(app + "/tidewell.exe"), QByteArray("old program"));
        QCOMPARE(read(app + "/logs/run.log"), QByteArray("a run"));
        QCOMPARE(read(app + ".backup/tidewell.exe"), QByteArray("older program"));
        QVERIFY(!QFileInfo::exists(app + ".staging"));
        QVERIFY(!QFileInfo::exists(app + ".update.json"));
    }

private slots:
    void initTestCase() { qRegisterMetaType<UpdateRun::Result>(); }

    void init()
    {
        QDir(machine.hostPath("C:\\Tidewell")).removeRecursively();
        app = machine.hostPath("C:\\Tidewell") + "/app";
        put(app + "/tidewell.exe", "old program");
        put(app + "/Qt5Core.dll", "qt core");
        put(app + "/logs/run.log", "a run");
        put(app + "/changes/c.json", "{}");
        put(app + ".backup/tidewell.exe", "older program");
        source = FolderSource();
        source.folder = release.path();
        list.version = {QStringLiteral("2.0.1"), {}};
        program = FakeProgram();
        program.folder = app;
        addFile("tidewell.exe", "new program");
        addFile("Qt5Core.dll", "qt core");
        addFile("platforms/qwindows.dll", "platform plug-in");
    }

    void testWholeUpdateFetchesOnlyChangedFiles()
    {
        QString message;
        QCOMPARE(update(message), UpdateRun::Result::Updated);
        QCOMPARE(message, QStringLiteral("更新完成，新版本已经启动。"));
        QCOMPARE(source.fetched, QStringList({"tidewell.exe", "platforms/qwindows.dll"}));
        QCOMPARE(read(app + "/tidewell.exe"), QByteArray("new program"));
        QCOMPARE(read(app + "/platforms/qwindows.dll"), QByteArray("platform plug-in"));
        QCOMPARE(read(app + "/logs/run.log"), QByteArray("a run"));
        QCOMPARE(read(app + "/changes/c.json"), QByteArray("{}"));
        QCOMPARE(read(app + ".backup/tidewell.exe"), QByteArray("old program"));
        QVERIFY(!QFileInfo::exists(app + ".backup/logs"));
        QVERIFY(!QFileInfo::exists(app + ".backup.old"));
        QVERIFY(!QFileInfo::exists(app + ".update.json"));
        QVERIFY(!QFileInfo::exists(app + ".started"));
    }

    void testRefusedUpdateLeavesStick_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString kept = QStringLiteral("U 盘上的程序保持原样，您可以稍后再试。");
        QTest::addRow("wrong hash") << "hash"
                                    << "tidewell.exe 的校验值与文件清单不符，文件可能已损坏或被篡改，更新已停止。" +
                                           kept;
        QTest::addRow("shorter than listed") << "size"
                                             << "tidewell.exe 的大小与文件清单不符，更新已停止。" + kept;
        QTest::addRow("fetch fails halfway") << "cut"
                                             << "connection lost" + kept;
        QTest::addRow("file in a data folder") << "data"
                                               << "新版本的文件清单含有不允许的路径 logs/run.log，更新已停止。" + kept;
        QTest::addRow("path out of the folder") << "escape"
                                                << "新版本的文件清单含有不允许的路径 ../app/x，更新已停止。" + kept;
        QTest::addRow("cancelled while fetching") << "cancel"
                                                  << "更新已取消。" + kept;
        QTest::addRow("cancelled while the program runs") << "running"
                                                          << "更新已取消。" + kept;
    }

    void testRefusedUpdateLeavesStick()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        VersionFile& exe = list.version.files[0];
        if (fault == "hash")
            exe.sha256[0] = exe.sha256[0] ^ 1;
        if (fault == "size")
            exe.size += 1;
        source.cut = fault == "cut" ? 4 : -1;
        if (fault == "data" || fault == "escape")
            list.version.files.append({fault == "data" ? "logs/run.log" : "../app/x", 1, QByteArray(32, 'x')});
        source.holdUntilCancelled = fault == "cancel";
        program.running = fault == "running";
        QString said;
        if (program.running) {
            StickFolderRemoval removal(machine.platform(), [this](const QString& local) {
                return machine.machine().windowsPath(std::filesystem::path(local.toStdString()));
            });
            UpdateRun flow(StickLayout(app), list, source, program, removal, {10, 300});
            QSignalSpy done(&flow, &UpdateRun::finished);
            connect(&flow, &UpdateRun::statusChanged, &flow, [&](const QString& s) {
                if (s.contains("请关闭"))
                    flow.cancel();
            });
            flow.start();
            QVERIFY(done.wait(10000));
            said = done.at(0).at(1).toString();
        } else {
            QVERIFY(update(said) != UpdateRun::Result::Updated);
        }
        QCOMPARE(said, message);
        verifyOldStick();
    }

    void testNewProgramThatDoesNotStartIsRolledBack()
    {
        program.confirms = false;
        QString message;
        QCOMPARE(update(message), UpdateRun::Result::RolledBack);
        QCOMPARE(message,
                 QStringLiteral("新版本在 1 秒内没有打开窗口。已恢复为原来的版本，您可以继续使用它，稍后再试更新。"));
        verifyOldStick();
    }

    void testCutAfterEachStep_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("caller");
        QTest::addColumn<QString>("expected");
        const int updater = int(SwapRecovery::Caller::Updater);
        for (int steps = 0; steps <= FolderSwap::stepCount(); ++steps)
            QTest::addRow("cut after %d steps", steps) << steps << false << updater << "old program";
        QTest::addRow("cut after the new window came up") << 5 << true << updater << "new program";
        QTest::addRow("program starting under the updater's watch")
            << 5 << false << int(SwapRecovery::Caller::Program) << "new program";
    }

    void testCutAfterEachStep()
    {
        QFETCH(int, steps);
        QFETCH(bool, confirmed);
        QFETCH(int, caller);
        QFETCH(QString, expected);
        const StickLayout layout(app);
        for (const VersionFile& file : list.version.files) {
            const QString staged = layout.staging() + "/" + file.path;
            QDir().mkpath(QFileInfo(staged).path());
            QVERIFY(QFile::copy(release.path() + "/" + file.path, staged));
        }
        FolderSwap swap(layout);
        for (int i = 0; i < steps; ++i)
            QVERIFY(swap.runStep(i));
        if (confirmed)
            confirmProgramStarted(app);
        SwapRecovery(layout).recover(SwapRecovery::Caller(caller));
        QCOMPARE(read(app + "/tidewell.exe"), expected.toUtf8());
        QCOMPARE(read(app + "/logs/run.log"), QByteArray("a run"));
        QCOMPARE(read(app + "/changes/c.json"), QByteArray("{}"));
        const bool installed = expected == "new program";
        QCOMPARE(read(app + ".backup/tidewell.exe"), QByteArray(installed ? "old program" : "older program"));
        QCOMPARE(QFileInfo::exists(app + ".update.json"), caller == int(SwapRecovery::Caller::Program));
    }

    void testNetworkSource_data()
    {
        using Route = LoopbackHttpServer::Route;
        using Kind = LoopbackHttpServer::Kind;
        QTest::addColumn<Route>("route");
        QTest::addColumn<bool>("fetched");
        QTest::addColumn<QString>("error");
        QTest::addRow("whole file") << Route{Kind::Answer, 200, "abc", 0} << true << "";
        QTest::addRow("redirect followed") << Route{Kind::Redirect, 302, "/moved", 0} << true << "";
        QTest::addRow("more than listed")
            << Route{Kind::Answer, 200, "abcd", 0} << false << "服务器发来的 platforms/q w.dll 比文件清单写的大。";
        QTest::addRow("not found") << Route{Kind::Answer, 404, "abc", 0} << false
                                   << "下载 platforms/q w.dll 时网络中断或服务器拒绝了请求";
    }

    void testNetworkSource()
    {
        QFETCH(LoopbackHttpServer::Route, route);
        QFETCH(bool, fetched);
        QFETCH(QString, error);
        LoopbackHttpServer server;
        server.route("/r/releases/2.0.1/platforms/q%20w.dll", route);
        server.route("/moved", {LoopbackHttpServer::Kind::Answer, 200, "abc", 0});
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QString said;
        NetworkFileSource source(server.url("/r"));
        QCOMPARE(source.fetch(
                     "2.0.1", "platforms/q w.dll", 3, sink, [](qint64) { return true; }, said),
                 fetched);
        QVERIFY2(said.left(error.size()) == error && said.isEmpty() == error.isEmpty(), qPrintable(said));
        QVERIFY(sink.size() <= 3);
        if (fetched)
            QCOMPARE(sink.data(), QByteArray("abc"));
    }

    void testReleaseAddress_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("base");
        QTest::addRow("default address") << "https://h.example/client/version/check"
                                         << "https://h.example";
        QTest::addRow("base_url with a folder") << "https://h.example/a/b/version/check?x=1"
                                                << "https://h.example/a/b";
        QTest::addRow("other address kept") << "https://h.example/check"
                                            << "https://h.example/check";
    }

    void testReleaseAddress()
    {
        QFETCH(QString, check);
        QFETCH(QString, base);
        QCOMPARE(releaseAddress::fromCheckUrl(QUrl(check)).toString(), base);
    }
};

QTEST_GUILESS_MAIN(TestStickUpdate)
#include "TestStickUpdate.moc"
